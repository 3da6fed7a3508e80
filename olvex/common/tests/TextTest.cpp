#include "common/Text.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace olvex::text;

TEST(ToInt, AcceptsDecimalAndBothHexadecimalForms)
{
    const std::pair<const char *, int> good[] = {
        {"9600", 9600}, {"  42", 42}, {"-7", -7}, {"+3", 3}, {"$1F", 31}, {"0x1f", 31},
        {"0X10", 16}, {"$00ffffff", 0xFFFFFF}, {"$FF000000", int(0xFF000000u)}};
    for (const auto &[text, value] : good)
        EXPECT_EQ(toInt(QString::fromLatin1(text)), value) << text;
}

TEST(ToInt, RejectsEverythingElseWithTheUsualMessage)
{
    for (const char *text : {"", "abc", "12a", "1.5", "$", "0x", "- 1", "99999999999", "42 "})
        EXPECT_THROW(toInt(QString::fromLatin1(text)), ConversionError) << text;
    try {
        toInt("abc");
    } catch (const ConversionError &e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(toIntOr("x", 9600), 9600);
}

TEST(LocaleFloat, FollowsTheLocaleSeparator)
{
    EXPECT_EQ(parseLocaleFloat(" 9.0 \r"), 9.0);
    EXPECT_EQ(parseLocaleFloat("-1.5e2"), -150.0);
    for (const char *bad : {"", " ", "1.2.3", "5x", "1,5", "e5", "1e"})
        EXPECT_FALSE(parseLocaleFloat(bad)) << bad;

    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(parseLocaleFloat("2,5"), 2.5);
    EXPECT_FALSE(parseLocaleFloat("2.5"));
    EXPECT_EQ(withLocaleSeparator(" 7.1.2"), " 7,1.2") << "only the first point is replaced";
    QLocale::setDefault(saved);
    EXPECT_EQ(withLocaleSeparator("7.1"), "7.1");
}

TEST(Cp1252, RoundTripsEveryByteThatHasACharacter)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
    EXPECT_EQ(fromCp1252("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(toCp1252(QString(QChar(0x4E2D))), "?");
}

TEST(Trimmed, RemovesBlanksAndControlCharacters)
{
    EXPECT_EQ(trimmed("\r\n 428 \r"), "428");
    EXPECT_EQ(trimmed(" 5x"), "5x");
}
