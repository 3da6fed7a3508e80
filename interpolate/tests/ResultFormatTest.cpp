#include "fit/ResultFormat.h"

#include <gtest/gtest.h>

using fit::FormatGeneral;
using fit::FormatResult;

namespace {

const QLocale kC = QLocale::c();
const QLocale kGerman{QLocale::German, QLocale::Germany};

TEST(FormatResult, RoundsToEightSignificantDigitsAndWritesEightDecimals)
{
    const struct {
        double value;
        const char* text;
    } cases[]{
        {0.5, "0.50000000"},
        {100, "100.00000000"},
        {12345.6789, "12345.67900000"},
        {0.000123456789, "0.00012346"},
        {0, "0.00000000"},
        {1, "1.00000000"},
        {-0.5, "-0.50000000"},
        {-12345.6789, "-12345.67900000"},
        {0.123456789, "0.12345679"},
        {1.23456789, "1.23456790"},
        {9.999999999, "10.00000000"},
        {12345678.9, "12345679.00000000"},
        {99999999.4, "99999999.00000000"},
        {0.0099999999, "0.01000000"},
        {0.000000004, "0.00000000"},
        {-0.000000004, "0.00000000"},  // rounds to zero: no minus sign
        {-1e-300, "0.00000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatResult(c.value, kC), QString::fromLatin1(c.text)) << c.value;
}

TEST(FormatResult, SwitchesToScientificBeyondEightDigitsBeforeTheSeparator)
{
    const struct {
        double value;
        const char* text;
    } cases[]{
        {123456789, "1.2345679E+8"},
        {99999999.6, "1.0000000E+8"},  // nine digits once rounded
        {-1.23456789e20, "-1.2345679E+20"},
        {1e300, "1.0000000E+300"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatResult(c.value, kC), QString::fromLatin1(c.text)) << c.value;
}

TEST(FormatResult, UsesTheLocaleDecimalSeparator)
{
    EXPECT_EQ(FormatResult(12345.6789, kGerman), QStringLiteral("12345,67900000"));
    EXPECT_EQ(FormatResult(-1.23456789e20, kGerman), QStringLiteral("-1,2345679E+20"));
}

TEST(FormatGeneral, WritesTheShortestFormUpToFifteenDigits)
{
    const struct {
        double value;
        const char* text;
    } cases[]{
        {0, "0"},
        {1, "1"},
        {100, "100"},
        {-2.5, "-2.5"},
        {0.1, "0.1"},
        {0.0001, "0.0001"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345, "123456789012345"},
        {1e15, "1E15"},
        {0.00001, "1E-5"},
        {-1.5e-7, "-1.5E-7"},
        {1234567890123456789.0, "1.23456789012346E18"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatGeneral(c.value, kC), QString::fromLatin1(c.text)) << c.value;
    EXPECT_EQ(FormatGeneral(0.25, kGerman), QStringLiteral("0,25"));
}

}  // namespace
