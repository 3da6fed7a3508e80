#include "fit/ResultFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fit {
namespace {

constexpr int kSignificant = 8;
constexpr int kDecimals = 8;

// Decimal digits and exponent of a positive value rounded to `significant`
// digits: value ~ d1.d2d3... x 10^exponent.
struct Rounded {
    std::string digits;  // exactly `significant` digits, the first non-zero
    int exponent = 0;    // power of ten of the first digit
};

Rounded roundSignificant(double value, int significant)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                   significant - 1);
    const std::string_view text(buf, res.ptr - buf);
    const auto e = text.find('e');
    Rounded r;
    for (char c : text.substr(0, e))
        if (c != '.')
            r.digits += c;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    r.exponent);
    return r;
}

// d.ddd...E<sign>exponent from `digits` (the first one non-zero); `plus` is what
// a positive exponent is prefixed with.
std::string scientific(const std::string& digits, int exponent, std::string_view plus)
{
    std::string out(1, digits[0]);
    if (digits.size() > 1)
        out += '.' + digits.substr(1);
    out += 'E';
    out += exponent < 0 ? std::string_view("-") : plus;
    return out + std::to_string(std::abs(exponent));
}

QString localised(bool negative, const std::string& unsignedText, const QLocale& locale)
{
    QString out = QString::fromLatin1(unsignedText.data(), qsizetype(unsignedText.size()));
    out.replace(QLatin1Char('.'), locale.decimalPoint());
    if (negative && unsignedText.find_first_of("123456789") != std::string::npos)
        out.prepend(QLatin1Char('-'));
    return out;
}

}  // namespace

QString FormatResult(double value, const QLocale& locale)
{
    const double magnitude = std::fabs(value);
    const Rounded r = roundSignificant(magnitude, kSignificant);
    std::string text;
    if (r.exponent >= kSignificant) {
        text = scientific(r.digits, r.exponent, "+");
    } else if (r.exponent >= -1) {
        // Eight significant digits leave at most eight decimals: pad with zeros.
        const std::string whole = r.exponent >= 0 ? r.digits.substr(0, r.exponent + 1) : "0";
        std::string fraction = r.exponent >= 0 ? r.digits.substr(r.exponent + 1) : r.digits;
        fraction.resize(kDecimals, '0');
        text = whole + '.' + fraction;
    } else {
        // Fewer than eight significant digits fit in eight decimals: round to those.
        char buf[64];
        const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed,
                                       kDecimals);
        text.assign(buf, res.ptr);
    }
    return localised(std::signbit(value), text, locale);
}

QString FormatGeneral(double value, const QLocale& locale)
{
    constexpr int kPrecision = 15;
    const double magnitude = std::fabs(value);
    std::string text = "0";
    if (magnitude != 0) {
        const Rounded r = roundSignificant(magnitude, kPrecision);
        std::string digits = r.digits;
        digits.erase(digits.find_last_not_of('0') + 1);
        if (r.exponent < -4 || r.exponent >= kPrecision) {
            text = scientific(digits, r.exponent, "");
        } else if (r.exponent < 0) {
            text = "0." + std::string(-r.exponent - 1, '0') + digits;
        } else {
            digits.resize(std::max<std::size_t>(digits.size(), r.exponent + 1), '0');
            text = digits.substr(0, r.exponent + 1);
            if (digits.size() > std::size_t(r.exponent + 1))
                text += '.' + digits.substr(r.exponent + 1);
        }
    }
    return localised(std::signbit(value), text, locale);
}

}  // namespace fit
