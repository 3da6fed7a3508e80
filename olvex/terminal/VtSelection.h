#pragma once
// Text marked with the mouse: a stretch of the page in reading order, from the
// point where the button went down to where it is now.
//
// Points lie between cells: column 0 is before the first cell of a row,
// column 132 after the last. A click without a drag marks nothing.
#include <QString>

#include <algorithm>
#include <compare>

namespace olvex::terminal {

class VtEmulator;

struct VtPoint {
    int row = 0;
    int column = 0;

    auto operator<=>(const VtPoint &) const = default;
};

class VtSelection {
public:
    // Starts a new selection at `point`, dropping the previous one.
    void start(VtPoint point);
    // Moves the free end to `point`; it may lie before the start.
    void extendTo(VtPoint point);
    void clear();

    bool isEmpty() const { return anchor_ == end_; }
    bool contains(int row, int column) const;

    // The marked characters, one line per row joined by "\n", trailing
    // blanks of each row removed; empty when nothing is marked.
    QString text(const VtEmulator &emulator) const;

private:
    VtPoint first() const { return std::min(anchor_, end_); }
    VtPoint last() const { return std::max(anchor_, end_); }

    VtPoint anchor_;
    VtPoint end_;
};

} // namespace olvex::terminal
