#pragma once
// 8-bit text of the probe and of the program's files (Windows-1252), and the
// number conversions the program applies to it.
#include <QByteArray>
#include <QString>

#include <optional>
#include <stdexcept>

namespace olvex::text {

// Windows-1252 bytes to text for display; every byte maps to one character.
QString fromCp1252(const QByteArray &bytes);

// Text to Windows-1252 bytes; characters without a code become '?'.
QByteArray toCp1252(const QString &text);

// A text that is not the number a conversion expected. Its message is the
// one the user sees, e.g. "'abc' is not a valid integer value".
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Integer in decimal (optional sign, leading blanks allowed), or hexadecimal
// after "$" or "0x". Throws ConversionError for anything else.
int toInt(const QString &text);

// toInt() that returns `fallback` instead of throwing (the INI-file rule).
int toIntOr(const QString &text, int fallback);

// The user's locale decimal separator ('.' or ',' and so on).
QChar localeDecimalSeparator();

// Replaces the first '.' of `text` by the locale's decimal separator.
QByteArray withLocaleSeparator(QByteArray text);

// Locale-aware text to float: leading and trailing blanks, an optional sign,
// digits with at most one locale decimal separator and an optional exponent,
// nothing else. Empty result for anything else.
std::optional<double> parseLocaleFloat(const QByteArray &text);

// parseLocaleFloat() that throws ConversionError ("'x' is not a valid floating point value").
double toLocaleFloat(const QByteArray &text);

// Removes leading and trailing blanks and control characters.
QByteArray trimmed(const QByteArray &text);

} // namespace olvex::text
