#include "fit/PointCollection.h"

#include <gtest/gtest.h>

#include <array>

using fit::CollectPoints;
using fit::RowEntry;
using fit::ToFloat;

namespace {

const QLocale kC = QLocale::c();
const QLocale kGerman{QLocale::German, QLocale::Germany};

TEST(ToFloat, ReadsTheLocaleFormatOnly)
{
    const struct {
        const QLocale& locale;
        const char* text;
        std::optional<double> value;
    } cases[]{
        {kC, "1.5", 1.5},
        {kC, " -2.25 ", -2.25},
        {kC, "1e3", 1000},
        {kC, "+4E-2", 0.04},
        {kC, "7", 7},
        {kGerman, "1,5", 1.5},
        {kGerman, "1.5", std::nullopt},
        {kC, "1,5", std::nullopt},
        {kC, "1,000", std::nullopt},
        {kC, "abc", std::nullopt},
        {kC, "", std::nullopt},
        {kC, "1.5x", std::nullopt},
        {kC, "inf", std::nullopt},
        {kC, "nan", std::nullopt},
        {kC, "1e999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToFloat(QString::fromLatin1(c.text), c.locale), c.value)
            << "'" << c.text << "' in " << c.locale.name().toStdString();
}

TEST(CollectPoints, TakesMarkedRowsInRowOrderAndSkipsTheOthers)
{
    const std::array<RowEntry, 4> rows{{{true, "1", "10"},
                                        {false, "not read", "either"},
                                        {true, "3", "30"},
                                        {true, "4.5", "-40"}}};
    const auto collected = CollectPoints(rows, kC);
    ASSERT_TRUE(collected.ok()) << collected.conversionError.toStdString();
    ASSERT_EQ(collected.points.size(), 3u);
    EXPECT_EQ(collected.points[0].y, 1);
    EXPECT_EQ(collected.points[0].x, 10);
    EXPECT_EQ(collected.points[1].y, 3);
    EXPECT_EQ(collected.points[1].x, 30);
    EXPECT_EQ(collected.points[2].y, 4.5);
    EXPECT_EQ(collected.points[2].x, -40);
}

TEST(CollectPoints, StopsAtTheFirstTextThatIsNotANumber)
{
    const struct {
        std::array<RowEntry, 3> rows;
        const char* message;
    } cases[]{
        {{{{true, "1", "1"}, {true, "abc", "2"}, {true, "3", "x"}}},
         "'abc' is not a valid floating point value"},
        {{{{true, "1", "1"}, {true, "y", "x"}, {true, "3", "3"}}},
         "'y' is not a valid floating point value"},  // y text before x text
        {{{{false, "bad", "bad"}, {true, "2", ""}, {true, "3", "3"}}},
         "'' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
        const auto collected = CollectPoints(c.rows, kC);
        EXPECT_EQ(collected.conversionError, QString::fromLatin1(c.message));
        EXPECT_FALSE(collected.ok());
    }
}

}  // namespace
