// Reading the leading number of an entry text, in both precisions.
#include "data/TextValue.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qb {
namespace {

QString Repeat(const char* piece, int times) {
    return QString::fromLatin1(piece).repeated(times);
}

struct ReadCase {
    QString text;
    double value;
};
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << '"' << c.text.toStdString() << '"';
}

class TextValueRead : public ::testing::TestWithParam<ReadCase> {};

// Both precisions read the same number: the quad value narrows to the double one.
TEST_P(TextValueRead, GivesTheLeadingNumber) {
    const auto [text, expected] = GetParam();
    const std::optional<double> value = TextValue(text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, expected);
    const std::optional<Real> extended = TextValueExtended(text);
    ASSERT_TRUE(extended.has_value());
    EXPECT_EQ(static_cast<double>(*extended), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextValueRead,
    ::testing::Values(
        // No leading number at all.
        ReadCase{"", 0}, ReadCase{"-", 0}, ReadCase{"+", 0}, ReadCase{".", 0}, ReadCase{"-.", 0},
        ReadCase{"abc", 0}, ReadCase{"e5", 0}, ReadCase{"--5", 0}, ReadCase{"+-5", 0},
        // Signs, points, blanks anywhere.
        ReadCase{"123", 123}, ReadCase{"+7", 7}, ReadCase{"-0.25", -0.25}, ReadCase{"-.5", -0.5},
        ReadCase{"12.", 12}, ReadCase{"007", 7}, ReadCase{"1 2 3", 123}, ReadCase{" - 5", -5},
        ReadCase{"\t1\n2 . 5", 12.5}, ReadCase{"1 e 2", 100},
        // Exponents, complete or not.
        ReadCase{"1E2", 100}, ReadCase{"1e-2", 0.01}, ReadCase{"1e+3", 1000}, ReadCase{"1e", 1},
        ReadCase{"1e+", 1}, ReadCase{"1e-", 1}, ReadCase{".5e1", 5}, ReadCase{"2.5e-1x", 0.25},
        ReadCase{"1e0000000000000000000000003", 1000},
        // Reading stops at the first character that does not fit.
        ReadCase{"1.2.3", 1.2}, ReadCase{"12abc", 12}, ReadCase{"1,5", 1}, ReadCase{"3-4", 3},
        ReadCase{"1e2e3", 100},
        // Hexadecimal and octal whole numbers.
        ReadCase{"&HFF", 255}, ReadCase{"&hff", 255}, ReadCase{"& h F f", 255},
        ReadCase{"&H10.8", 16}, ReadCase{"&o17", 15}, ReadCase{"&O777", 511}, ReadCase{"&O78", 7},
        ReadCase{"&H", 0}, ReadCase{"&HZ", 0}, ReadCase{"&O8", 0}, ReadCase{"&", 0},
        ReadCase{"&12", 0}, ReadCase{"&HFFFFFFFF", 4294967295.0},
        // Underflow is not an error, and digits beyond the range may be scaled back into it.
        ReadCase{"1e-400", 0}, ReadCase{"-1e-99999999999999999999", 0},
        ReadCase{"1" + Repeat("0", 400) + "e-399", 10},
        ReadCase{"0." + Repeat("0", 400) + "1e400", 0.1},
        ReadCase{"&H" + Repeat("0", 300) + "1", 1}));

class TextValueOverflow : public ::testing::TestWithParam<QString> {};

// Both precisions must refuse exactly the same texts, or the engine and the grid would disagree.
TEST_P(TextValueOverflow, IsAnErrorInBothPrecisions) {
    EXPECT_FALSE(TextValue(GetParam()).has_value());
    EXPECT_FALSE(TextValueExtended(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Texts, TextValueOverflow,
                         ::testing::Values(QString("1e400"), QString("-1e400"), QString("1.8e308"),
                                           QString("1 e 4 0 0"), QString("1e99999999999999999999"),
                                           "1" + Repeat("0", 400), "-" + Repeat("9", 400),
                                           "&H" + Repeat("F", 300), "&O" + Repeat("7", 400)));

TEST(TextValueLimits, LargestFiniteValuesAreRead) {
    EXPECT_EQ(TextValue(u"1.7976931348623157e308"), 1.7976931348623157e308);
    EXPECT_EQ(TextValue(u"-1.7976931348623157e308"), -1.7976931348623157e308);
    // 255 hexadecimal digits are 1020 bits: just inside the range.
    const auto hex = TextValue("&H" + Repeat("F", 255));
    ASSERT_TRUE(hex.has_value());
    EXPECT_GT(*hex, 1e307);
}

TEST(TextValueExtendedPrecision, KeepsDigitsADoubleLoses) {
    const Real tenth = Real(1) / 10;
    const auto extended = TextValueExtended(u"0.1");
    ASSERT_TRUE(extended.has_value());
    const auto distance = [&](Real v) { return v > tenth ? v - tenth : tenth - v; };
    EXPECT_LT(distance(*extended), distance(Real(0.1)));

    // 60 bits: exact in quad, rounded in a double.
    const auto hex = TextValueExtended(u"&HFFFFFFFFFFFFFFF");
    ASSERT_TRUE(hex.has_value());
    const Real exact = Real(1ULL << 60) - 1;
    EXPECT_TRUE(*hex == exact);
    EXPECT_FALSE(Real(*TextValue(u"&HFFFFFFFFFFFFFFF")) == exact);

    const auto octal = TextValueExtended("&O" + Repeat("7", 20)); // 60 bits again
    ASSERT_TRUE(octal.has_value());
    EXPECT_TRUE(*octal == exact);
}

TEST(NumericLiteralText, IsEmptyWithoutALeadingNumber) {
    for (const char* text : {"", "-", ".", "abc", "&", "&H", "&O9"}) {
        EXPECT_EQ(NumericLiteral(QString::fromLatin1(text)), "") << text;
    }
}

} // namespace
} // namespace qb
