// The normal form a field's text is rewritten to when it loses the focus.
#include "numbers/NumberText.h"
#include "numbers/TextValue.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <ostream>

namespace qb {
namespace {

struct TypedCase {
    const char* typed;
    const char* shown;
};
void PrintTo(const TypedCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class NumberTextOfTyped : public ::testing::TestWithParam<TypedCase> {};

TEST_P(NumberTextOfTyped, RewritesTheText) {
    const auto value = TextValue(QString::fromLatin1(GetParam().typed));
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(NumberText(*value).toStdString(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberTextOfTyped,
    ::testing::Values(TypedCase{"", "0"}, TypedCase{"-", "0"}, TypedCase{"0.", "0"},
                      TypedCase{"-0", "0"}, TypedCase{"12.", "12"}, TypedCase{"007", "7"},
                      TypedCase{"1.50", "1.5"}, TypedCase{"0.5", ".5"}, TypedCase{"-0.250", "-.25"},
                      TypedCase{"3.14159265358979323", "3.14159265358979"},
                      TypedCase{"1000000000000000", "1E+15"}, TypedCase{"0.0001", ".0001"},
                      TypedCase{"0.000015", "1.5E-05"}, TypedCase{"1,5", "1"},
                      TypedCase{"&HFF", "255"}, TypedCase{"1e-400", "0"}));

struct ValueCase {
    double value;
    const char* shown;
};
void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.value;
}

class NumberTextOfValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(NumberTextOfValue, ShowsFifteenSignificantDigits) {
    EXPECT_EQ(NumberText(GetParam().value).toStdString(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextOfValue,
    ::testing::Values(ValueCase{-0.0, "0"}, ValueCase{100, "100"}, ValueCase{-2.5, "-2.5"},
                      ValueCase{0.1 + 0.2, ".3"}, ValueCase{1.0 / 3, ".333333333333333"},
                      ValueCase{-2.0 / 3, "-.666666666666667"}, ValueCase{0.00012, ".00012"},
                      ValueCase{-0.0001, "-.0001"}, ValueCase{999999999999999, "999999999999999"},
                      ValueCase{123456789012345.6, "123456789012346"},
                      // The exponent is decided after rounding to 15 digits.
                      ValueCase{999999999999999.5, "1E+15"},
                      ValueCase{0.00009999999999999999, ".0001"},
                      ValueCase{0.0000999999999999, "9.99999999999E-05"},
                      ValueCase{123456789012345678.0, "1.23456789012346E+17"},
                      ValueCase{1.5e15, "1.5E+15"}, ValueCase{-1.5e-5, "-1.5E-05"},
                      ValueCase{1e100, "1E+100"}, ValueCase{1e-300, "1E-300"},
                      ValueCase{DBL_MAX, "1.79769313486232E+308"},
                      ValueCase{-4.9406564584124654e-324, "-4.94065645841247E-324"}));

// Normalising a normal form again must not change it, or every focus loss would edit the row.
TEST(NumberTextNormalForm, IsStableWhenReadBack) {
    for (double v : {0.5, -0.25, 1.0 / 3, 1e15, 1.5e-5, 123456789012345678.0, 9.87654321e-200,
                     -1e308, 0.0001, 999999999999999.0}) {
        const QString once = NumberText(v);
        const auto back = TextValue(once);
        ASSERT_TRUE(back.has_value()) << once.toStdString();
        EXPECT_EQ(NumberText(*back), once) << once.toStdString();
    }
}

} // namespace
} // namespace qb
