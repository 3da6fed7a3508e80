#include "fit/LeastSquares.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

using fit::ComputeFit;
using fit::FitModel;
using fit::FitPoint;
using fit::FitStatus;

namespace {

constexpr double kTolerance = 1e-12;
constexpr double e = std::numbers::e;

// Relative error against a non-zero reference, absolute error against zero.
::testing::AssertionResult Near(double got, double want)
{
    const double error = want == 0 ? std::fabs(got) : std::fabs(got - want) / std::fabs(want);
    if (error <= kTolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got " << std::to_string(got) << " (" << got << "), want " << want
           << ", error " << error;
}

struct Case {
    std::string name;
    FitModel model;
    std::vector<FitPoint> points;  // (x, y)
    double a, b, r;
};

std::vector<FitPoint> Line(double a, double b, double firstX, int count)
{
    std::vector<FitPoint> points;
    for (int i = 0; i < count; ++i)
        points.push_back({firstX + i, a + b * (firstX + i)});
    return points;
}

void ExpectFit(const Case& c)
{
    SCOPED_TRACE(c.name);
    const auto outcome = ComputeFit(c.points, c.model);
    ASSERT_EQ(outcome.status, FitStatus::Ok);
    EXPECT_TRUE(Near(outcome.results.a, c.a)) << "a";
    EXPECT_TRUE(Near(outcome.results.b, c.b)) << "b";
    EXPECT_TRUE(Near(outcome.results.r, c.r)) << "r";
    EXPECT_TRUE(Near(outcome.results.variance, c.r * c.r * 100)) << "variance";
}

TEST(ComputeFit, FitsTheThreeModels)
{
    const std::vector<Case> cases{
        {"two points on y = x", FitModel::Linear, {{0, 0}, {1, 1}}, 0, 1, 1},
        {"y = 2x", FitModel::Linear, {{1, 2}, {2, 4}, {3, 6}}, 0, 2, 1},
        // Sums about the means: Quu = Qvv = 14/3, Quv = 13/3.
        {"scattered points", FitModel::Linear, {{1, 1}, {2, 3}, {4, 4}}, 0.5, 13.0 / 14,
         13.0 / 14},
        {"falling line gives r = -1", FitModel::Linear, {{0, 4}, {1, 3.5}, {2, 3}, {3, 2.5}}, 4,
         -0.5, -1},
        {"Logaritmic fits ln y: y = e^x", FitModel::Logaritmic, {{0, 1}, {1, e}, {2, e * e}}, 1,
         1, 1},
        {"Logaritmic fits ln y: y = 2^x", FitModel::Logaritmic, {{0, 1}, {1, 2}, {2, 4}, {3, 8}},
         1, std::numbers::ln2, 1},
        {"Exponential fits ln x: y = ln x", FitModel::Exponential, {{1, 0}, {e, 1}, {e * e, 2}},
         0, 1, 1},
        {"Exponential fits ln x: y = 5 + 3 log2 x", FitModel::Exponential,
         {{1, 5}, {2, 8}, {4, 11}, {8, 14}}, 5, 3 / std::numbers::ln2, 1},
    };
    for (const Case& c : cases)
        ExpectFit(c);
}

// References: exact rational arithmetic on the double inputs
// (tests/fit_references.py); for exact lines the line itself.
TEST(ComputeFit, StaysAccurateWithLargeOffsetsAndWideRanges)
{
    const std::vector<Case> cases{
        {"exact line y = -2.5 + 0.75x", FitModel::Linear, Line(-2.5, 0.75, 1, 5), -2.5, 0.75, 1},
        {"exact line y = 1 + 2x, x offset 1e8", FitModel::Linear, Line(1, 2, 100000001, 8), 1, 2,
         1},
        {"exact line y = 7 - 3x, x offset 1e12", FitModel::Linear, Line(7, -3, 1e12, 10), 7, -3,
         -1},
        {"decimal line y = 3 + 0.1x, x offset 1e8 (y rounded to binary)",
         FitModel::Linear,
         {{100000001, 10000003.1},
          {100000002, 10000003.2},
          {100000003, 10000003.3},
          {100000004, 10000003.4},
          {100000005, 10000003.5},
          {100000006, 10000003.6},
          {100000007, 10000003.7},
          {100000008, 10000003.8}},
         2.9951216433906839, 0.10000000004878356, 0.99999999999999999700},
        {"noisy line, x offset 1e8",
         FitModel::Linear,
         {{100000001, 10000003.113},
          {100000002, 10000003.179},
          {100000003, 10000003.307},
          {100000004, 10000003.396},
          {100000005, 10000003.518},
          {100000006, 10000003.589},
          {100000007, 10000003.702},
          {100000008, 10000003.791}},
         84526.819461121845, 0.099154761837174495, 0.99858404493437753},
        {"values from 1e-6 to 1e6",
         FitModel::Linear,
         {{1e-6, 3e-6}, {1e-4, 2.5e-4}, {1e-2, 0.031}, {1, 2.9}, {1e2, 305}, {1e4, 29800},
          {1e6, 3.01e6}},
         -49.011614755053891, 3.0100465024307526, 0.99999999511394012},
        {"Logaritmic, y from 1e-6 to 1e6",
         FitModel::Logaritmic,
         {{0, 1.1e-6}, {1, 0.9e-4}, {2, 1.05e-2}, {3, 0.98}, {4, 1.02e2}, {5, 0.97e4},
          {6, 1.01e6}},
         1.0171858959277402e-6, 4.6003393121530740, 0.99998000831795214},
        {"Exponential, x from 1e-6 to 1e6",
         FitModel::Exponential,
         {{1e-6, -39.4}, {1e-4, -25.7}, {1e-2, -11.9}, {1, 2.05}, {1e2, 15.8}, {1e4, 29.5},
          {1e6, 43.6}},
         1.9928571428571434, 3.0020606061562283, 0.99999489481168217},
    };
    for (const Case& c : cases)
        ExpectFit(c);
}

TEST(ComputeFit, RefusesFewerThanTwoPoints)
{
    for (const std::vector<FitPoint>& points : {std::vector<FitPoint>{}, {{1, 1}}}) {
        const auto outcome = ComputeFit(points, FitModel::Linear);
        EXPECT_EQ(outcome.status, FitStatus::TooFewPoints) << points.size() << " points";
        EXPECT_EQ(outcome.results, fit::FitResults{});
    }
}

TEST(ComputeFit, AnUnknownModelYieldsZeros)
{
    const auto outcome =
        ComputeFit(std::vector<FitPoint>{{0, 0}, {1, 1}}, static_cast<FitModel>(3));
    EXPECT_EQ(outcome.status, FitStatus::Ok);
    EXPECT_EQ(outcome.results, (fit::FitResults{0, 0, 0, 0}));
}

TEST(ComputeFit, ReportsArithmeticFaultsWithoutResults)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        std::string name;
        FitModel model;
        std::vector<FitPoint> points;
    } cases[]{
        {"all x equal", FitModel::Linear, {{2, 1}, {2, 5}, {2, 9}}},
        {"all x equal, Logaritmic", FitModel::Logaritmic, {{2, 1}, {2, 5}, {2, 9}}},
        {"all ln x equal, Exponential", FitModel::Exponential, {{3, 1}, {3, 5}, {3, 9}}},
        {"all y equal (r undefined although b = 0)", FitModel::Linear, {{1, 2}, {2, 2}, {3, 2}}},
        {"all ln y equal, Logaritmic", FitModel::Logaritmic, {{1, 7}, {2, 7}}},
        {"y = 0, Logaritmic", FitModel::Logaritmic, {{1, 1}, {2, 0}, {3, 4}}},
        {"y < 0, Logaritmic", FitModel::Logaritmic, {{1, -1}, {2, 2}, {3, 4}}},
        {"x = 0, Exponential", FitModel::Exponential, {{0, 1}, {2, 2}, {3, 4}}},
        {"x < 0, Exponential", FitModel::Exponential, {{1, 1}, {-2, 2}, {3, 4}}},
        {"squares overflow", FitModel::Linear, {{-1e200, 1}, {1e200, 2}}},
        {"sums overflow", FitModel::Linear, {{1, 1.5e308}, {2, 1.5e308}, {3, 1e308}}},
        {"offset overflows exp, Logaritmic", FitModel::Logaritmic, {{1, 1e300}, {2, 1e-300}}},
        {"spread of x underflows to zero", FitModel::Linear, {{0, 0}, {1e-300, 1}}},
        {"infinite input", FitModel::Linear, {{inf, 1}, {1, 2}}},
        {"NaN input", FitModel::Linear, {{0, 1}, {1, nan}}},
    };
    for (const auto& c : cases) {
        const auto outcome = ComputeFit(c.points, c.model);
        EXPECT_EQ(outcome.status, FitStatus::ArithmeticFault) << c.name;
        EXPECT_EQ(outcome.results, fit::FitResults{}) << c.name;
    }
}

}  // namespace
