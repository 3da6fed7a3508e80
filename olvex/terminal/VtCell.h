#pragma once
// One character cell of the terminal screen, as the emulator stores it.
#include <QtGlobal>

namespace olvex::terminal {

// Colours are 0x00RRGGBB, or DefaultColor for the view's own text or
// background colour (what the host gets until it selects a colour).
inline constexpr quint32 DefaultColor = 0xFF000000u;

// Character attributes, as flags in VtPen::attributes.
enum VtAttribute : quint8 {
    Bold = 0x01,
    Underline = 0x02,
    Italic = 0x04,
    Blink = 0x08,
    Reverse = 0x10,
    Strike = 0x20,
};

struct VtPen {
    quint32 foreground = DefaultColor;
    quint32 background = DefaultColor;
    quint8 attributes = 0;

    bool operator==(const VtPen &) const = default;
};

struct VtCell {
    // 0 for a blank cell: never written, or erased.
    char16_t character = 0;
    VtPen pen;

    bool operator==(const VtCell &) const = default;
};

} // namespace olvex::terminal
