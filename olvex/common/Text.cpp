#include "common/Text.h"

#include <QLocale>

#include <cerrno>
#include <cstdlib>

namespace olvex::text {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString invalidValue(const QString &text, const char *what)
{
    return QStringLiteral("'%1' is not a valid %2").arg(text, QLatin1String(what));
}

} // namespace

QString fromCp1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.append(b >= 0x80 && b < 0xA0 ? QChar(cp1252High[b - 0x80]) : QChar(b));
    }
    return out;
}

QByteArray toCp1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u < 0x100)) {
            out.append(char(u));
            continue;
        }
        char byte = '?';
        for (int i = 0; i < 32; ++i)
            if (cp1252High[i] == u)
                byte = char(0x80 + i);
        out.append(byte);
    }
    return out;
}

int toInt(const QString &text)
{
    QString s = text;
    int start = 0;
    while (start < s.size() && s[start] == QLatin1Char(' '))
        ++start;
    s = s.mid(start);
    bool negative = false;
    if (s.startsWith(QLatin1Char('-')) || s.startsWith(QLatin1Char('+'))) {
        negative = s[0] == QLatin1Char('-');
        s = s.mid(1);
    }
    int base = 10;
    if (s.startsWith(QLatin1Char('$'))) {
        base = 16;
        s = s.mid(1);
    } else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        s = s.mid(2);
    }
    bool ok = !s.isEmpty() && s.front().isLetterOrNumber() && s.back().isLetterOrNumber();
    const qlonglong magnitude = ok ? s.toLongLong(&ok, base) : 0;
    const qlonglong value = negative ? -magnitude : magnitude;
    // Hexadecimal values cover the full 32 bits (colours such as $FF000000).
    const bool fits = base == 16 ? (magnitude <= 0xFFFFFFFFLL)
                                 : (value >= INT32_MIN && value <= INT32_MAX);
    if (!ok || !fits)
        throw ConversionError(invalidValue(text, "integer value").toStdString());
    return static_cast<int>(static_cast<quint32>(value));
}

int toIntOr(const QString &text, int fallback)
{
    try {
        return toInt(text);
    } catch (const ConversionError &) {
        return fallback;
    }
}

QChar localeDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point[0];
}

QByteArray withLocaleSeparator(QByteArray text)
{
    const QChar separator = localeDecimalSeparator();
    if (separator == QLatin1Char('.'))
        return text;
    const qsizetype dot = text.indexOf('.');
    if (dot >= 0)
        text.replace(dot, 1, toCp1252(QString(separator)));
    return text;
}

QByteArray trimmed(const QByteArray &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.mid(first, last - first);
}

std::optional<double> parseLocaleFloat(const QByteArray &text)
{
    const QByteArray s = trimmed(text);
    const QByteArray separator = toCp1252(QString(localeDecimalSeparator()));
    // Rebuild the number in C form while checking its shape.
    QByteArray c;
    qsizetype i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        c.append(s[i++]);
    int digits = 0;
    bool separatorSeen = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            c.append(s[i]);
            ++digits;
        } else if (!separatorSeen && s.mid(i, separator.size()) == separator) {
            separatorSeen = true;
            c.append('.');
            i += separator.size() - 1;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        c.append('e');
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            c.append(s[i++]);
        int exponentDigits = 0;
        for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++exponentDigits)
            c.append(s[i]);
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(QString::fromLatin1(c), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

double toLocaleFloat(const QByteArray &text)
{
    if (auto value = parseLocaleFloat(text))
        return *value;
    throw ConversionError(invalidValue(fromCp1252(text), "floating point value").toStdString());
}

} // namespace olvex::text
