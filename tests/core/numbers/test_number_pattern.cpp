// The display patterns of the figures: fixed decimals, halves away from zero decided on the
// value's decimal form rather than on its binary value.
#include "numbers/NumberPattern.h"
#include "numbers/TextValue.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace qb {
namespace {

struct PatternCase {
    const char* pattern;
    int minIntegerDigits;
    int decimals;
};
void PrintTo(const PatternCase& c, std::ostream* os) {
    *os << c.pattern;
}

class PatternFromText : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternFromText, CountsZerosAroundThePoint) {
    const NumberPattern p = NumberPattern::FromText(GetParam().pattern);
    EXPECT_EQ(p.minIntegerDigits, GetParam().minIntegerDigits);
    EXPECT_EQ(p.decimals, GetParam().decimals);
}

INSTANTIATE_TEST_SUITE_P(Patterns, PatternFromText,
                         ::testing::Values(PatternCase{"##############0.00000", 1, 5},
                                           PatternCase{"##############0.00000000", 1, 8},
                                           PatternCase{"#######0.0", 1, 1},
                                           PatternCase{"0.00", 1, 2}, PatternCase{"0", 1, 0},
                                           PatternCase{"00", 2, 0}, PatternCase{"####00", 2, 0}));

struct FormatCase {
    double value;
    const char* pattern;
    char separator;
    const char* shown;
};
void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.value << " as " << c.pattern << " with '" << c.separator << "'";
}

class FormatDouble : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatDouble, AppliesThePattern) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(
        FormatNumber(c.value, NumberPattern::FromText(c.pattern), QChar(c.separator)).toStdString(),
        c.shown);
}

constexpr const char* kMean = "##############0.00000";
constexpr const char* kCoefficient = "##############0.00000000";

INSTANTIATE_TEST_SUITE_P(
    Values, FormatDouble,
    ::testing::Values(
        FormatCase{0, kMean, '.', "0.00000"}, FormatCase{0.5, kMean, '.', "0.50000"},
        FormatCase{-0.25, kCoefficient, '.', "-0.25000000"},
        FormatCase{1.4, kCoefficient, ',', "1,40000000"}, FormatCase{-1.4, kMean, ',', "-1,40000"},
        FormatCase{2.5, kMean, '.', "2.50000"},
        FormatCase{1234567.125, kMean, '.', "1234567.12500"},
        // Halves away from zero, on the 15-digit decimal form (printf would round 1.000005 down).
        FormatCase{1.000005, kMean, '.', "1.00001"}, FormatCase{-1.000005, kMean, '.', "-1.00001"},
        FormatCase{2.675, kMean, '.', "2.67500"}, FormatCase{2.675, "0.00", '.', "2.68"},
        FormatCase{-2.675, "0.00", ',', "-2,68"}, FormatCase{0.125, "0.00", '.', "0.13"},
        FormatCase{0.12499999999999999, "0.00", '.', "0.13"},
        FormatCase{0.1249999999999, "0.00", '.', "0.12"},
        FormatCase{0.000005, kMean, '.', "0.00001"}, FormatCase{-0.000005, kMean, '.', "-0.00001"},
        FormatCase{0.0000049, kMean, '.', "0.00000"},
        // Carries through every digit.
        FormatCase{99999.999995, kMean, '.', "100000.00000"}, FormatCase{9.5, "0", '.', "10"},
        FormatCase{0.96, "#######0.0", '.', "1.0"},
        // A negative value that rounds to zero keeps its sign; zero has none.
        FormatCase{-0.000001, kMean, '.', "-0.00000"}, FormatCase{-0.0, kMean, '.', "0.00000"},
        FormatCase{-1e-9, kCoefficient, ',', "-0,00000000"},
        FormatCase{-0.001, "#######0.0", '.', "-0.0"}, FormatCase{-0.4, "0", '.', "-0"},
        // No grouping, no exponent, however large or small.
        FormatCase{1e20, kMean, '.', "100000000000000000000.00000"},
        FormatCase{-1e20, "0", '.', "-100000000000000000000"},
        FormatCase{1e-20, kMean, '.', "0.00000"},
        // Minimum integer digits.
        FormatCase{5, "00", '.', "05"}, FormatCase{100, "00", '.', "100"},
        FormatCase{5, "####00", '.', "05"}, FormatCase{-5, "00", '.', "-05"},
        FormatCase{0.2, "00", '.', "00"}, FormatCase{7.25, "#######0.0", '.', "7.3"},
        FormatCase{0.04, "#######0.0", ',', "0,0"}));

// Exact figures round once, on the exact value: halves away from zero, roots included.
TEST(FormatExact, RoundsTheExactValueOnce) {
    const auto q = [](const std::string& text) { return ExactNumber(mpq_class(text)); };
    const auto root = [](const char* radicand, bool negative) {
        return ExactNumber::Root(mpq_class(radicand), negative);
    };
    const NumberPattern cents = NumberPattern::FromText("0.00");
    const struct {
        ExactNumber value;
        NumberPattern pattern;
        const char* text;
    } cases[] = {
        {q("2675/1000"), cents, "2.68"},
        {q("-2675/1000"), cents, "-2.68"},
        {q("124999999999999999999999999999999999/1" + std::string(36, '0')), cents, "0.12"},
        {q("1/3"), kCoefficientPattern, "0.33333333"},
        {q("-2/3"), kMeanPattern, "-0.66667"},
        {q("-1/1000000"), kMeanPattern, "-0.00000"},
        {q("2799999999999999/2"), kCoefficientPattern, "1399999999999999.50000000"},
        {root("2", false), kCoefficientPattern, "1.41421356"},
        {root("1/4", true), kMeanPattern, "-0.50000"},
        {root("25/1000000000000", false), kMeanPattern, "0.00001"},
        {root("24999999999999999/1000000000000000000000000000", false), kMeanPattern, "0.00000"},
        {root("0", true), kMeanPattern, "0.00000"},
        {root("1/10000000000000000", true), kCoefficientPattern, "-0.00000001"},
        {root("1/100000000000000000", true), kCoefficientPattern, "-0.00000000"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, c.pattern, u'.'), c.text);
    }
    EXPECT_EQ(FormatNumber(q("-2/3"), kMeanPattern, u','), "-0,66667");
}

} // namespace
} // namespace qb
