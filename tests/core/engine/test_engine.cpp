// The least-squares engine: the figures of known data sets as the page shows them, the step at
// which impossible data stop it, the extremes and the prediction.
#include "engine/Engine.h"
#include "engine/StatisticsCaptions.h"
#include "numbers/TextValue.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace qb {
namespace {

struct Point {
    QString x;
    QString y;
    bool used = true;
    bool active = true;
};
using Points = std::vector<Point>;
using Captions = std::vector<std::string>;

DataSet MakeRows(const Points& points) {
    DataSet rows{};
    for (std::size_t i = 0; i < points.size(); ++i) {
        rows[i] = DataRow{points[i].x, points[i].y, points[i].used, points[i].active};
    }
    return rows;
}

Captions CaptionsOf(const Statistics& stats) {
    Captions out;
    for (const QString& caption : StatisticsCaptions(stats, u'.')) {
        out.push_back(caption.toStdString());
    }
    return out;
}

const Points kWorked = {{"1", "2"}, {"2", "3"}, {"3", "5"}, {"4", "6"}};
const Captions kWorkedCaptions = {"2.50000",    "4.00000",    "7.50000",   "18.50000",
                                  "11.75000",   "1.11803",    "1.58114",   "1.32288",
                                  "1.40000000", "0.50000000", "0.98994949"};

Points WorkedWith(Point extra) {
    Points p = kWorked;
    p.push_back(std::move(extra));
    return p;
}

struct Case {
    const char* name;
    Points points;
    int failedStep; // 0: the computation succeeds with `captions`
    Captions captions = {};
};
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class ComputeStatisticsCase : public ::testing::TestWithParam<Case> {};

// On failure the failed field is 0, the later fields keep what they held and the extremes are
// untouched.
TEST_P(ComputeStatisticsCase, FiguresOrFailedStep) {
    const Case& c = GetParam();
    Statistics s;
    s.values.fill(mpq_class(7));
    Extremes e{7, 7, 7, 7};
    const ComputeOutcome outcome = ComputeStatistics(MakeRows(c.points), s, e);
    EXPECT_EQ(outcome.failedStep, c.failedStep);
    EXPECT_EQ(outcome.ok, c.failedStep == 0);
    if (c.failedStep == 0) {
        EXPECT_EQ(CaptionsOf(s), c.captions);
        return;
    }
    EXPECT_EQ(e, (Extremes{7, 7, 7, 7}));
    for (int f = c.failedStep - 1; f < kFigureCount; ++f) {
        EXPECT_EQ(s.values[f], ExactNumber(f == c.failedStep - 1 ? 0 : 7)) << kFigureNames[f];
    }
}

const QString kLongOne = "1." + QString(32760, u'0') + "1"; // a pasted field's full length

INSTANTIATE_TEST_SUITE_P(
    Data, ComputeStatisticsCase,
    ::testing::Values(
        Case{"Worked", kWorked, 0, kWorkedCaptions},
        Case{"ExactLine",
             {{"1", "3"}, {"2", "5"}, {"3", "7"}},
             0,
             {"2.00000", "5.00000", "4.66667", "27.66667", "11.33333", "0.81650", "1.63299",
              "1.15470", "2.00000000", "1.00000000", "1.00000000"}},
        // A falling line carries the covariance's sign instead of failing on its square root.
        Case{"FallingLine",
             {{"1", "6"}, {"2", "5"}, {"3", "3"}, {"4", "2"}},
             0,
             {"2.50000", "4.00000", "7.50000", "18.50000", "8.25000", "1.11803", "1.58114",
              "-1.32288", "-1.40000000", "7.50000000", "-0.98994949"}},
        Case{"LargeOffset",
             {{"1000000000000001", "2"},
              {"1000000000000002", "3"},
              {"1000000000000003", "5"},
              {"1000000000000004", "6"}},
             0,
             {"1000000000000002.50000", "4.00000", "1000000000000005000000000000007.50000",
              "18.50000", "4000000000000011.75000", "1.11803", "1.58114", "1.32288", "1.40000000",
              "-1399999999999999.50000000", "0.98994949"}},
        Case{"UncheckedRowLeftOut", WorkedWith({"100", "50", false}), 0, kWorkedCaptions},
        Case{"InactiveOverflowIgnored", WorkedWith({"1e400", "-1000", false, false}), 0,
             kWorkedCaptions},
        // Equal as 64-bit floats, different as typed: the typed values count.
        Case{"TypedDigitsCount",
             {{"1", "1"}, {"1.00000000000000001", "2"}},
             0,
             {"1.00000", "1.50000", "1.00000", "2.50000", "1.50000", "0.00000", "0.50000",
              "0.00000", "100000000000000000.00000000", "-99999999999999999.00000000",
              "1.00000000"}},
        // Tiny but representable: kept, and negative values rounding to zero keep their sign.
        Case{"SmallestDouble",
             {{"1", "5e-324"}, {"2", "0"}},
             0,
             {"1.50000", "0.00000", "2.50000", "0.00000", "0.00000", "0.50000", "0.00000",
              "-0.00000", "-0.00000000", "0.00000000", "-1.00000000"}},
        Case{"NoRows", {}, 1}, Case{"NoUsedRow", {{"1", "2", false}, {"2", "3", false}}, 1},
        Case{"XOverflows", {{"1", "2"}, {"1e400", "3"}}, 1},
        Case{"XSumOverflows", {{"1E308", "1"}, {"1E308", "2"}}, 1},
        Case{"XBeyondDoubleMax", {{"1.7976931348623158e308", "1"}, {"0", "2"}}, 1},
        Case{"YOverflows", {{"1", "2"}, {"2", "-1e400"}}, 2},
        Case{"YSumMidway", {{"1", "1E308"}, {"2", "1E308"}, {"3", "-1E308"}}, 2},
        Case{"XSquareOverflows", {{"1e200", "1"}, {"2", "3"}}, 3},
        Case{"XSquareSumOverflows", {{"1E154", "1"}, {"-1E154", "2"}}, 3},
        Case{"YSquareOverflows", {{"1", "-1e200"}, {"2", "3"}}, 4},
        Case{"OneUsedRow", {{"1", "2"}, {"2", "3", false}}, 9},
        Case{"EqualX", {{"3", "1"}, {"3", "2"}, {"3", "5"}}, 9},
        Case{"HexEqualsOctal", {{"&H10", "1"}, {"&O20", "2"}}, 9},
        Case{"EmptyTexts", {{"", ""}, {"", ""}}, 9},
        Case{"SlopeBeyondRange", {{"0", "0"}, {"1e-300", "1e10"}}, 9},
        Case{"LongTextSlopeBeyondRange", {{"1", "1"}, {kLongOne, "2"}}, 9},
        Case{"EqualY", {{"1", "4"}, {"2", "4"}, {"3", "4"}}, 11},
        // Below the smallest positive double a text reads as 0, whatever its exponent.
        Case{"BelowSmallestDouble", {{"1", "3e-324"}, {"2", "0"}}, 11},
        Case{"HugeNegativeExponent", {{"1", "1E-99999999999999999999"}, {"2", "0"}}, 11},
        Case{"UncheckedXOverflows", WorkedWith({"1e400", "1", false}), 13},
        Case{"UncheckedYOverflows", WorkedWith({"1", "1e400", false}), 14}),
    [](const auto& info) { return std::string(info.param.name); });

// Unchecked active rows stay out of the figures but not out of the extremes; row 0 always counts.
TEST(ComputeStatistics, Extremes) {
    Statistics s;
    Extremes e;
    ASSERT_TRUE(ComputeStatistics(MakeRows(WorkedWith({"100", "50", false})), s, e).ok);
    EXPECT_EQ(e, (Extremes{1, 100, 2, 50}));
    Points first = {{"-5", "-7", false}};
    first.insert(first.end(), kWorked.begin(), kWorked.end());
    ASSERT_TRUE(ComputeStatistics(MakeRows(first), s, e).ok);
    EXPECT_EQ(CaptionsOf(s), kWorkedCaptions);
    EXPECT_EQ(e, (Extremes{-5, 4, -7, 6}));
    ASSERT_TRUE(ComputeStatistics(MakeRows(WorkedWith({"1e400", "-1000", false, false})), s, e).ok);
    EXPECT_EQ(e, (Extremes{1, 4, 2, 6}));
}

mpq_class Exact(const char* text) {
    return ExactTextValue(QString::fromLatin1(text))->Rational();
}

TEST(PredictY, IsTheLineWithinRange) {
    const struct {
        const char *x, *a, *b, *y; // y nullptr: beyond the 64-bit float range
    } cases[] = {{"2", "3", "1", "7"},
                 {"-1.5", "2", "0.5", "-2.5"},
                 {"0.1", "0.2", "0.3", "0.32"},
                 {"5", "0", "-4", "-4"},
                 {"1", "1.7976931348623157e308", "0", "1.7976931348623157e308"},
                 {"1", "1.7976931348623158e308", "0", nullptr},
                 {"1", "1e308", "1e308", nullptr},
                 {"-1e300", "1e10", "0", nullptr},
                 {"1e200", "-1e200", "1", nullptr}};
    for (const auto& c : cases) {
        const auto y = PredictY(Exact(c.x), Exact(c.a), Exact(c.b));
        EXPECT_EQ(y.has_value(), c.y != nullptr) << c.a << " * " << c.x << " + " << c.b;
        if (y && c.y) {
            EXPECT_EQ(*y, Exact(c.y)) << c.a << " * " << c.x << " + " << c.b;
        }
    }
}

} // namespace
} // namespace qb
