#include "ExactNumber.h"

#include <cfloat>
#include <cmath>

namespace qb {

const mpz_class& DoubleMax() {
    static const mpz_class kMax(DBL_MAX);
    return kMax;
}

mpz_class PowerOfTen(long long exponent) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return p;
}

mpq_class DecimalRational(const mpz_class& whole, long long exponent, const mpz_class& divisor) {
    mpq_class q = exponent >= 0 ? mpq_class(whole * PowerOfTen(exponent), divisor)
                                : mpq_class(whole, divisor * PowerOfTen(-exponent));
    q.canonicalize();
    return q;
}

ExactNumber ExactNumber::Root(mpq_class radicand) {
    ExactNumber n(std::move(radicand));
    n.root_ = true;
    return n;
}

ExactNumber ExactNumber::NegativeRoot(mpq_class radicand) {
    ExactNumber n = Root(std::move(radicand));
    n.negative_ = true;
    return n;
}

bool ExactNumber::WithinDoubleRange() const {
    const mpq_class magnitude = abs(value_);
    if (!root_) {
        return magnitude <= mpq_class(DoubleMax());
    }
    return magnitude <= mpq_class(DoubleMax() * DoubleMax());
}

double ExactNumber::ToDouble() const {
    if (!root_) {
        return value_.get_d();
    }
    const double root = std::sqrt(value_.get_d());
    return negative_ ? -root : root;
}

mpz_class ExactNumber::ScaledMagnitude(int decimals) const {
    const mpz_class a = abs(value_.get_num()) * PowerOfTen(root_ ? 2 * decimals : decimals);
    const mpz_class& b = value_.get_den();
    if (!root_) {
        mpz_class k = a / b;
        if (2 * (a - k * b) >= b) {
            ++k;
        }
        return k;
    }
    // k = floor(sqrt(a / b)); the root reaches k + 1/2 exactly when 4a >= (2k + 1)^2 b.
    mpz_class k = sqrt(mpz_class(a / b));
    const mpz_class twice = 2 * k + 1;
    if (4 * a >= twice * twice * b) {
        ++k;
    }
    return k;
}

} // namespace qb
