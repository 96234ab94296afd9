#include "StudentT.h"

#include <arb.h>
#include <flint/fmpq.h>

#include <cmath>

namespace qb {
namespace {

// An Arb ball that clears itself.
class Ball {
public:
    Ball() { arb_init(ball_); }
    ~Ball() { arb_clear(ball_); }
    Ball(const Ball&) = delete;
    Ball& operator=(const Ball&) = delete;
    operator arb_ptr() { return ball_; }
    arb_ptr operator->() { return ball_; }

private:
    arb_t ball_;
};

void SetRational(arb_t ball, const mpq_class& q, slong precision) {
    fmpq_t f;
    fmpq_init(f);
    fmpq_set_mpq(f, q.get_mpq_t());
    arb_set_fmpq(ball, f, precision);
    fmpq_clear(f);
}

mpq_class MidpointOf(const arb_t ball) {
    fmpz_t mantissa, exponent;
    fmpz_init(mantissa);
    fmpz_init(exponent);
    arf_get_fmpz_2exp(mantissa, exponent, arb_midref(ball));
    mpz_class m;
    fmpz_get_mpz(m.get_mpz_t(), mantissa);
    const long e = fmpz_get_si(exponent);
    fmpz_clear(mantissa);
    fmpz_clear(exponent);
    mpq_class q(m);
    if (e >= 0) {
        mpq_mul_2exp(q.get_mpq_t(), q.get_mpq_t(), e);
    } else {
        mpq_div_2exp(q.get_mpq_t(), q.get_mpq_t(), -e);
    }
    return q;
}

// F(r) in closed form, with x = nu / (nu + r). Even nu: sqrt(1 − x)·Σ_{k < nu/2} c_k x^k with
// c_0 = 1, c_k = c_{k−1}·(2k − 1)/(2k). Odd nu: (2/π)·(atan(sqrt(r/nu)) + sqrt(x(1 − x))·
// Σ_{k < (nu − 1)/2} d_k x^k) with d_0 = 1, d_k = d_{k−1}·2k/(2k + 1).
void CentralProbability(arb_t f, int nu, const arb_t r, slong precision) {
    Ball total, x, term, sum;
    arb_add_ui(total, r, nu, precision);
    arb_set_ui(x, nu);
    arb_div(x, x, total, precision);
    const bool even = nu % 2 == 0;
    const int terms = even ? nu / 2 : (nu - 1) / 2;
    arb_one(term);
    arb_set_ui(sum, terms > 0 ? 1 : 0);
    for (int k = 1; k < terms; ++k) {
        arb_mul(term, term, x, precision);
        arb_mul_ui(term, term, even ? 2 * k - 1 : 2 * k, precision);
        arb_div_ui(term, term, even ? 2 * k : 2 * k + 1, precision);
        arb_add(sum, sum, term, precision);
    }
    if (even) {
        arb_div(f, r, total, precision); // 1 − x
        arb_sqrt(f, f, precision);
        arb_mul(f, f, sum, precision);
        return;
    }
    Ball angle, root;
    arb_div_ui(angle, r, nu, precision);
    arb_sqrt(angle, angle, precision);
    arb_atan(angle, angle, precision);
    arb_mul_ui(root, r, nu, precision);
    arb_sqrt(root, root, precision);
    arb_div(root, root, total, precision); // sqrt(x(1 − x))
    arb_addmul(angle, root, sum, precision);
    arb_const_pi(f, precision);
    arb_div(f, angle, f, precision);
    arb_mul_2exp_si(f, f, 1);
}

// The sign of F(r)² − c² for even nu, in rationals; c > 0.
int CompareEvenExactly(int nu, const mpq_class& r, const mpq_class& c) {
    const mpq_class x = nu / (nu + r);
    mpq_class term = 1;
    mpq_class sum = 1;
    for (int k = 1; k < nu / 2; ++k) {
        term *= x * mpq_class(2 * k - 1, 2 * k);
        sum += term;
    }
    return cmp((1 - x) * sum * sum, c * c);
}

// Beyond this, balls fine enough for any real difference have failed: an even nu's tie is
// settled in rationals.
constexpr slong kExactAfterBits = 1024;

// The density of |T| at t, for Newton's steps.
double Density(int nu, double t) {
    const double half = 0.5 * nu;
    return 2 * std::exp(std::lgamma(half + 0.5) - std::lgamma(half)) / std::sqrt(nu * M_PI) *
           std::pow(1 + t * t / nu, -(half + 0.5));
}

} // namespace

int CompareCentralProbability(int nu, const mpq_class& r, const mpq_class& c) {
    if (sgn(r) == 0) {
        return -sgn(c);
    }
    if (sgn(c) <= 0) {
        return 1;
    }
    if (c >= 1) {
        return -1;
    }
    Ball rBall, f, cBall;
    for (slong precision = 64;; precision *= 2) {
        if (nu % 2 == 0 && precision > kExactAfterBits) {
            return CompareEvenExactly(nu, r, c);
        }
        SetRational(rBall, r, precision);
        SetRational(cBall, c, precision);
        CentralProbability(f, nu, rBall, precision);
        arb_sub(f, f, cBall, precision);
        if (arb_is_positive(f)) {
            return 1;
        }
        if (arb_is_negative(f)) {
            return -1;
        }
    }
}

mpq_class CriticalTEstimate(int nu, const mpq_class& level, long bits) {
    // F is concave on t > 0, so Newton's steps from below stay below and climb monotonically;
    // t = 1 is below every critical value of a level of 90 % or more.
    Ball t, square, f, target;
    arb_one(t);
    for (slong precision = 64;; precision = std::min<slong>(2 * precision, bits + 64)) {
        SetRational(target, level, precision);
        for (;;) {
            arb_mul(square, t, t, precision);
            CentralProbability(f, nu, square, precision);
            arb_sub(f, target, f, precision);
            const double tMid = arf_get_d(arb_midref(t), ARF_RND_NEAR);
            const double step = arf_get_d(arb_midref(f), ARF_RND_NEAR) / Density(nu, tMid);
            arb_set_d(f, step);
            arb_add(t, t, f, precision);
            arb_get_mid_arb(t, t);
            if (std::fabs(step) <= std::ldexp(tMid, -int(precision) + 16)) {
                break;
            }
        }
        if (precision >= bits + 64) {
            return MidpointOf(t);
        }
    }
}

mpq_class TailEstimate(int nu, const mpq_class& r) {
    Ball rBall, tail;
    for (slong precision = 64;; precision *= 2) {
        SetRational(rBall, r, precision);
        CentralProbability(tail, nu, rBall, precision);
        arb_sub_ui(tail, tail, 1, precision);
        arb_neg(tail, tail);
        if (arb_rel_accuracy_bits(tail) >= 32) {
            return MidpointOf(tail);
        }
    }
}

} // namespace qb
