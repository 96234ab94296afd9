// The least-squares engine: the figures of known data sets, the step at which impossible data
// stop it, the extremes and the prediction.
#include "stats/Engine.h"
#include "stats/StatisticsCaptions.h"

#include <gtest/gtest.h>
#include <quadmath.h>

#include <cfloat>
#include <ostream>
#include <string>
#include <vector>

namespace qb {
namespace {

struct Point {
    const char* x;
    const char* y;
    bool used = true;
    bool active = true;
};
using Points = std::vector<Point>;

Rows MakeRows(const Points& points) {
    Rows rows{};
    for (std::size_t i = 0; i < points.size(); ++i) {
        rows[i] = Row{points[i].x, points[i].y, points[i].used, points[i].active};
    }
    return rows;
}

std::string Text(Real v) {
    char buffer[64];
    quadmath_snprintf(buffer, sizeof buffer, "%.33Qg", v);
    return buffer;
}

// Quad values cannot go through gtest's printers; compare them as predicates with readable text.
::testing::AssertionResult Near(Real actual, Real expected, Real tolerance) {
    if (fabsq(actual - expected) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << Text(actual) << " is not " << Text(expected);
}
::testing::AssertionResult Exactly(Real actual, Real expected) {
    return Near(actual, expected, 0);
}

std::vector<std::string> Captions(const Statistics& stats, QChar separator = u'.') {
    std::vector<std::string> out;
    for (const QString& caption : StatisticsCaptions(stats, separator)) {
        out.push_back(caption.toStdString());
    }
    return out;
}

Statistics Sevens() {
    Statistics s;
    s.values.fill(7);
    return s;
}
constexpr Extremes kSevens{7, 7, 7, 7};

const Points kWorked = {{"1", "2"}, {"2", "3"}, {"3", "5"}, {"4", "6"}};
const std::vector<std::string> kWorkedCaptions = {
    "2.50000", "4.00000", "7.50000",    "18.50000",   "11.75000",  "1.11803",
    "1.58114", "1.32288", "1.40000000", "0.50000000", "0.98994949"};

Points WorkedWith(Point extra) {
    Points p = kWorked;
    p.push_back(extra);
    return p;
}

TEST(ComputeStatistics, WorkedExample) {
    Statistics s = Sevens();
    Extremes e = kSevens;
    const ComputeOutcome outcome = ComputeStatistics(MakeRows(kWorked), s, e);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.failedStep, 0);
    EXPECT_EQ(Captions(s), kWorkedCaptions);
    EXPECT_TRUE(Exactly(s[X], 2.5));
    EXPECT_TRUE(Exactly(s[X2], 7.5));
    EXPECT_TRUE(Exactly(s[XY], 11.75));
    EXPECT_TRUE(Exactly(s[SX], sqrtq(Real(1.25))));
    EXPECT_TRUE(Exactly(s[SXY], sqrtq(Real(1.75))));
    EXPECT_TRUE(Exactly(s[A], Real(7) / 5));
    EXPECT_TRUE(Near(s[B], 0.5, 1e-32));
    EXPECT_TRUE(Near(s[R], 7 / sqrtq(50), 1e-32));
    EXPECT_EQ(e, (Extremes{1, 4, 2, 6}));
    EXPECT_EQ(Captions(s, u',')[X], "2,50000");
}

TEST(ComputeStatistics, ExactLine) {
    Statistics s;
    Extremes e;
    ASSERT_TRUE(ComputeStatistics(MakeRows({{"1", "3"}, {"2", "5"}, {"3", "7"}}), s, e).ok);
    const auto c = Captions(s);
    EXPECT_EQ(c[A], "2.00000000");
    EXPECT_EQ(c[B], "1.00000000");
    EXPECT_EQ(c[R], "1.00000000");
}

// A falling line carries the covariance's sign instead of failing on its square root.
TEST(ComputeStatistics, FallingLine) {
    Statistics s;
    Extremes e;
    ASSERT_TRUE(
        ComputeStatistics(MakeRows({{"1", "6"}, {"2", "5"}, {"3", "3"}, {"4", "2"}}), s, e).ok);
    EXPECT_TRUE(Exactly(s[XY], 8.25));
    EXPECT_TRUE(Exactly(s[SXY], -sqrtq(Real(1.75))));
    EXPECT_TRUE(Exactly(s[A], Real(-7) / 5));
    EXPECT_TRUE(Near(s[B], 7.5, 1e-32));
    EXPECT_TRUE(Near(s[R], -7 / sqrtq(50), 1e-32));
    EXPECT_EQ(Captions(s), (std::vector<std::string>{"2.50000", "4.00000", "7.50000", "18.50000",
                                                     "8.25000", "1.11803", "1.58114", "-1.32288",
                                                     "-1.40000000", "7.50000000", "-0.98994949"}));
}

// A large offset with a small spread: a one-pass double computation would cancel it away.
TEST(ComputeStatistics, LargeOffsetKeepsTheSpread) {
    Statistics s;
    Extremes e;
    const Points points = {{"1000000000000001", "2"},
                           {"1000000000000002", "3"},
                           {"1000000000000003", "5"},
                           {"1000000000000004", "6"}};
    ASSERT_TRUE(ComputeStatistics(MakeRows(points), s, e).ok);
    const auto c = Captions(s);
    EXPECT_EQ(c[X], "1000000000000002.50000");
    EXPECT_EQ(c[X2], "1000000000000005000000000000007.50000"); // exact: 31 digits
    EXPECT_EQ(c[SX], "1.11803");
    EXPECT_EQ(c[SXY], "1.32288");
    EXPECT_EQ(c[A], "1.40000000");
    EXPECT_EQ(c[B], "-1399999999999999.50000000");
    EXPECT_EQ(c[R], "0.98994949");
}

// Unchecked active rows stay out of the figures but not out of the extremes.
TEST(ComputeStatistics, UncheckedRowsOnlyWidenTheExtremes) {
    Statistics s;
    Extremes e;
    ASSERT_TRUE(ComputeStatistics(MakeRows(WorkedWith({"100", "50", false})), s, e).ok);
    EXPECT_EQ(Captions(s), kWorkedCaptions);
    EXPECT_EQ(e, (Extremes{1, 100, 2, 50}));

    Points first = {{"-5", "-7", false}};
    first.insert(first.end(), kWorked.begin(), kWorked.end());
    ASSERT_TRUE(ComputeStatistics(MakeRows(first), s, e).ok);
    EXPECT_EQ(Captions(s), kWorkedCaptions);
    EXPECT_EQ(e, (Extremes{-5, 4, -7, 6}));
}

TEST(ComputeStatistics, InactiveRowsAreIgnoredEvenWhenOverflowing) {
    Statistics s;
    Extremes e;
    ASSERT_TRUE(ComputeStatistics(MakeRows(WorkedWith({"1e400", "-1000", false, false})), s, e).ok);
    EXPECT_EQ(Captions(s), kWorkedCaptions);
    EXPECT_EQ(e, (Extremes{1, 4, 2, 6}));
}

struct FailCase {
    const char* name;
    Points points;
    int step;
};
void PrintTo(const FailCase& c, std::ostream* os) {
    *os << c.name;
}

class ComputeFailure : public ::testing::TestWithParam<FailCase> {};

// The failed field is 0, later fields keep what they held, and the extremes are untouched.
TEST_P(ComputeFailure, StopsAtTheStep) {
    const FailCase& c = GetParam();
    Statistics s = Sevens();
    Extremes e = kSevens;
    const ComputeOutcome outcome = ComputeStatistics(MakeRows(c.points), s, e);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedStep, c.step);
    EXPECT_EQ(e, kSevens);
    if (c.step > FigureCount) {
        EXPECT_EQ(Captions(s), kWorkedCaptions);
        return;
    }
    const int failed = c.step - 1;
    EXPECT_TRUE(Exactly(s.values[failed], 0));
    for (int f = failed + 1; f < FigureCount; ++f) {
        EXPECT_TRUE(Exactly(s.values[f], 7)) << kFigureNames[f];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Data, ComputeFailure,
    ::testing::Values(FailCase{"NoRows", {}, 1},
                      FailCase{"NoUsedRow", {{"1", "2", false}, {"2", "3", false}}, 1},
                      FailCase{"OneUsedRow", {{"1", "2"}, {"2", "3", false}}, 9},
                      FailCase{"EqualX", {{"3", "1"}, {"3", "2"}, {"3", "5"}}, 9},
                      FailCase{"EmptyTexts", {{"", ""}, {"", ""}}, 9},
                      FailCase{"SlopeBeyondRange", {{"0", "0"}, {"1e-300", "1e10"}}, 9},
                      FailCase{"EqualY", {{"1", "4"}, {"2", "4"}, {"3", "4"}}, 11},
                      FailCase{"XOverflows", {{"1", "2"}, {"1e400", "3"}}, 1},
                      FailCase{"YOverflows", {{"1", "2"}, {"2", "-1e400"}}, 2},
                      FailCase{"XSumOverflows", {{"1E308", "1"}, {"1E308", "2"}}, 1},
                      FailCase{"YSumMidway", {{"1", "1E308"}, {"2", "1E308"}, {"3", "-1E308"}}, 2},
                      FailCase{"XSquareOverflows", {{"1e200", "1"}, {"2", "3"}}, 3},
                      FailCase{"XSquareSumOverflows", {{"1E154", "1"}, {"-1E154", "2"}}, 3},
                      FailCase{"YSquareOverflows", {{"1", "-1e200"}, {"2", "3"}}, 4},
                      FailCase{"UncheckedXOverflows", WorkedWith({"1e400", "1", false}), 13},
                      FailCase{"UncheckedYOverflows", WorkedWith({"1", "1e400", false}), 14}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StatisticsCaptions, MeansWithFiveDecimalsCoefficientsWithEight) {
    Statistics s;
    s.values.fill(Real(-1) / 3);
    const auto c = Captions(s, u',');
    for (int f = 0; f < FigureCount; ++f) {
        EXPECT_EQ(c[f], f < A ? "-0,33333" : "-0,33333333") << kFigureNames[f];
    }
}

struct PredictCase {
    double x, a, b;
    std::optional<double> y;
};
void PrintTo(const PredictCase& c, std::ostream* os) {
    *os << c.a << " * " << c.x << " + " << c.b;
}

class Prediction : public ::testing::TestWithParam<PredictCase> {};

TEST_P(Prediction, IsTheLineWithinRange) {
    const PredictCase& c = GetParam();
    const std::optional<Real> y = PredictY(c.x, c.a, c.b);
    ASSERT_EQ(y.has_value(), c.y.has_value());
    if (y) {
        EXPECT_TRUE(Exactly(*y, *c.y));
    }
}

INSTANTIATE_TEST_SUITE_P(Values, Prediction,
                         ::testing::Values(PredictCase{2, 3, 1, 7}, PredictCase{-1.5, 2, 0.5, -2.5},
                                           PredictCase{5, 0, -4, -4},
                                           PredictCase{1, DBL_MAX, 0, DBL_MAX},
                                           PredictCase{-1, DBL_MAX, 0, -DBL_MAX},
                                           PredictCase{1, DBL_MAX, DBL_MAX, std::nullopt},
                                           PredictCase{1e300, 1e10, 0, std::nullopt},
                                           PredictCase{-1e300, 1e10, 0, std::nullopt},
                                           PredictCase{1e200, -1e200, 1, std::nullopt}));

} // namespace
} // namespace qb
