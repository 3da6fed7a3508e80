#pragma once

#include <QLocale>
#include <QString>

namespace fit {

// A result as the result fields show it: rounded once, to 8 significant digits
// or to 8 decimals, whichever keeps fewer digits, and written with exactly 8
// decimals (0.5 -> "0.50000000", 12345.6789 -> "12345.67900000",
// 0.000123456789 -> "0.00012346"). A value with more than 8 digits before the
// separator after rounding is written in scientific notation with 8
// significant digits ("1.2345679E+10"). Uses the locale's decimal separator;
// a value that rounds to zero has no minus sign. `value` must be finite.
QString FormatResult(double value, const QLocale& locale);

// General number format: the shortest form with at most 15 significant digits
// ("0", "1", "100", "0.25"), scientific ("1E20", "1.5E-7") when the exponent is
// below -4 or above 14. Uses the locale's decimal separator. `value` must be
// finite.
QString FormatGeneral(double value, const QLocale& locale);

}  // namespace fit
