#pragma once

#include <gmpxx.h>

namespace qb {

// A figure held exactly: a rational, or the square root of a rational with a sign, so that the
// display rounds the exact value once, whatever its magnitude.
class ExactNumber {
public:
    ExactNumber() = default;
    ExactNumber(mpq_class value) : value_(std::move(value)) {}
    // sqrt(radicand) and -sqrt(radicand), radicand >= 0.
    static ExactNumber Root(mpq_class radicand);
    static ExactNumber NegativeRoot(mpq_class radicand);

    bool IsZero() const { return sgn(value_) == 0; }
    bool IsNegative() const { return root_ ? negative_ && !IsZero() : sgn(value_) < 0; }
    // The rational itself; only meaningful for a figure that is not a root.
    const mpq_class& Rational() const { return value_; }
    bool WithinDoubleRange() const;
    double ToDouble() const;
    // |value| * 10^decimals rounded to a whole number, halves away from zero.
    mpz_class ScaledMagnitude(int decimals) const;

    bool operator==(const ExactNumber& other) const {
        return root_ == other.root_ && IsNegative() == other.IsNegative() &&
               cmp(value_, other.value_) == 0;
    }

private:
    mpq_class value_; // the number, or the radicand of a root
    bool root_ = false;
    bool negative_ = false;
};

// DBL_MAX as the whole number it is.
const mpz_class& DoubleMax();

// 10^exponent, exponent >= 0.
mpz_class PowerOfTen(long long exponent);

// whole * 10^exponent / divisor, in lowest terms.
mpq_class DecimalRational(const mpz_class& whole, long long exponent, const mpz_class& divisor = 1);

} // namespace qb
