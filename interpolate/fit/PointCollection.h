#pragma once

#include "fit/LeastSquares.h"

#include <QLocale>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace fit {

// One row of the point table as the user typed it.
struct RowEntry {
    bool marked = false;
    QString yText;
    QString xText;
};

struct PointCollection {
    std::vector<FitPoint> points;  // the marked rows, in row order
    QString conversionError;       // empty when every marked text converted

    bool ok() const { return conversionError.isEmpty(); }
};

// Converts a floating-point text the way the user's locale writes it: its
// decimal separator, optional exponent, no group separators, surrounding blanks
// ignored. Infinite, NaN and out-of-range values are refused.
std::optional<double> ToFloat(const QString& text, const QLocale& locale);

// The conversion error message for `text`, e.g. "'abc' is not a valid floating
// point value".
QString InvalidFloatMessage(const QString& text);

// Reads the marked rows in row order, y text before x text; unmarked rows are
// not read. On the first text that does not convert, stops and returns the
// points read so far together with that text's conversion error.
PointCollection CollectPoints(std::span<const RowEntry> rows, const QLocale& locale);

}  // namespace fit
