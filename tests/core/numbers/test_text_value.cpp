// Reading the leading number of an entry text, as a 64-bit float and exactly.
#include "numbers/TextValue.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

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

// Both readings give the same number: the exact value lies within the double's last place.
TEST_P(TextValueRead, GivesTheLeadingNumber) {
    const auto [text, expected] = GetParam();
    const std::optional<double> value = TextValue(text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, expected);
    const auto exact = ExactTextValue(text);
    ASSERT_TRUE(exact.has_value());
    const mpq_class rounded(expected);
    EXPECT_LE(abs(exact->Rational() - rounded), abs(rounded) / (mpz_class(1) << 52));
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
        ReadCase{"&H" + Repeat("0", 300) + "1", 1},
        // Up to DBL_MAX plus half its last place the value is read, then it overflows.
        ReadCase{"1.7976931348623158079e308", 1.7976931348623157e308}));

class TextValueOverflow : public ::testing::TestWithParam<QString> {};

// Both readings must refuse exactly the same texts, or the engine and the grid would disagree.
TEST_P(TextValueOverflow, IsAnErrorInBothReadings) {
    EXPECT_FALSE(TextValue(GetParam()).has_value());
    EXPECT_FALSE(ExactTextValue(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Texts, TextValueOverflow,
                         ::testing::Values(QString("1e400"), QString("-1e400"), QString("1.8e308"),
                                           QString("1.797693134862315808e308"),
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

TEST(ExactTextValue, KeepsEveryTypedDigit) {
    const mpq_class sixtyBits = (mpz_class(1) << 60) - 1;
    const struct {
        QString text;
        mpq_class value;
    } cases[] = {
        {"0.1", mpq_class(1, 10)},
        {"-1.00000000000000001", -mpq_class(100000000000000001, 100000000000000000)},
        {"&HFFFFFFFFFFFFFFF", sixtyBits},
        {"&O" + Repeat("7", 20), sixtyBits},
        {"12.5e-1", mpq_class(5, 4)},
        // Below 2^-1074, the smallest positive double, a text reads as 0.
        {"4.9406564584124654e-324", 0},
        {"4.9406564584124655e-324",
         mpq_class(49406564584124655) / mpq_class(mpz_class("1" + std::string(340, '0')))}};
    for (const auto& c : cases) {
        EXPECT_EQ(ExactTextValue(c.text)->Rational(), c.value) << c.text.toStdString();
    }
}

TEST(NumericLiteralText, IsEmptyWithoutALeadingNumber) {
    for (const char* text : {"", "-", ".", "abc", "&", "&H", "&O9"}) {
        EXPECT_EQ(NumericLiteral(QString::fromLatin1(text)), "") << text;
    }
}

} // namespace
} // namespace qb
