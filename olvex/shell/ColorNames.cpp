#include "shell/ColorNames.h"

#include "common/Text.h"

#include <array>

namespace olvex::shell {

namespace {

struct NamedColor {
    const char *name;
    ColorValue value;
};

constexpr std::array<NamedColor, 20> namedColors{{
    {"clBlack", 0x000000},   {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080},   {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},    {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},     {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},   {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},   {"clMedGray", 0xA4A0A0},
}};

} // namespace

ColorValue colorValue(const QColor &color)
{
    return ColorValue(color.red()) | ColorValue(color.green()) << 8 | ColorValue(color.blue()) << 16;
}

QColor toQColor(ColorValue value)
{
    return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
}

QString colorToString(ColorValue value)
{
    for (const NamedColor &named : namedColors)
        if (named.value == value)
            return QLatin1String(named.name);
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0'));
}

ColorValue stringToColor(const QString &text)
{
    for (const NamedColor &named : namedColors)
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    return ColorValue(text::toInt(text));
}

} // namespace olvex::shell
