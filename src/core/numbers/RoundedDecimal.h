#pragma once

#include <gmpxx.h>

#include <QString>
#include <functional>

namespace qb {

// The sign of value − m for any rational m, decided exactly or by a rigorous bound: the only way
// the roundings below look at a value that is not rational.
using RationalComparison = std::function<int(const mpq_class& m)>;

// A value rounded to a whole number of units of 10^-decimals, halves away from zero. `negative`
// is the value's own sign, so that a small negative value still reads "-0.00000".
struct RoundedDecimal {
    bool negative = false;
    mpz_class units; // the magnitude
    int decimals = 0;
};

// Rounds the value `compare` describes, starting from `proposal` (a signed whole number of units,
// from an estimate): only the comparisons with the rounding midpoints decide the digits.
RoundedDecimal RoundByComparison(const RationalComparison& compare, mpz_class proposal,
                                 int decimals);

// The rounded value with a point and all its decimals: "-12.34500".
QString FixedText(const RoundedDecimal& value);

// A value in (0, 1] to four significant digits: plainly from 0.001 up ("0.01005", "1.000"),
// below it as mantissa and exponent ("4.654E-90"). `propose` estimates the value times
// 10^decimals as a whole number; `exponentProposal` estimates the decimal exponent.
QString FourSignificantText(const RationalComparison& compare,
                            const std::function<mpz_class(int decimals)>& propose,
                            int exponentProposal);

// The rational nearest to q among whole numbers, halves up: a proposal for the roundings above.
mpz_class Nearest(const mpq_class& q);

// 10^exponent as a rational, for any sign of exponent.
mpq_class TenTo(int exponent);

} // namespace qb
