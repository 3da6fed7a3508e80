#include "fit/PointCollection.h"

#include <cmath>

namespace fit {

std::optional<double> ToFloat(const QString& text, const QLocale& locale)
{
    QLocale strict = locale;
    strict.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString InvalidFloatMessage(const QString& text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

PointCollection CollectPoints(std::span<const RowEntry> rows, const QLocale& locale)
{
    PointCollection collected;
    for (const RowEntry& row : rows) {
        if (!row.marked)
            continue;
        const auto y = ToFloat(row.yText, locale);
        if (!y) {
            collected.conversionError = InvalidFloatMessage(row.yText);
            return collected;
        }
        const auto x = ToFloat(row.xText, locale);
        if (!x) {
            collected.conversionError = InvalidFloatMessage(row.xText);
            return collected;
        }
        collected.points.push_back({*x, *y});
    }
    return collected;
}

}  // namespace fit
