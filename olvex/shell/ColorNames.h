#pragma once
// Colours as the settings file stores them: a 0x00BBGGRR value, written as a
// colour name ("clWhite") when it has one and as "$" with 8 hexadecimal digits
// otherwise.
#include <QColor>
#include <QString>

#include <cstdint>

namespace olvex::shell {

using ColorValue = std::uint32_t; // 0x00BBGGRR

ColorValue colorValue(const QColor &color);
QColor toQColor(ColorValue value);

// "clWhite" for a named colour, otherwise "$00aabbcc".
QString colorToString(ColorValue value);

// A colour name, or a decimal or "$"/"0x" hexadecimal number. Throws
// text::ConversionError for anything else.
ColorValue stringToColor(const QString &text);

} // namespace olvex::shell
