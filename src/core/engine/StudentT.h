#pragma once

#include <gmpxx.h>

namespace qb {

// Student's t distribution with nu >= 1 degrees of freedom, through F(r) = P(|T| <= sqrt(r)) for
// a rational r >= 0: the probability inside ±t, taken at t² so that every argument stays rational.

// The sign of F(r) − c, decided for certain: by ball arithmetic at rising precision, and for even
// nu, where F(r)² is rational and F(r) can equal c, by rational arithmetic once the balls are
// fine enough and still cannot tell.
int CompareCentralProbability(int nu, const mpq_class& r, const mpq_class& c);

// The t with F(t²) = level, within about 2^-bits: an estimate to propose digits, never to decide
// them.
mpq_class CriticalTEstimate(int nu, const mpq_class& level, long bits);

// 1 − F(r), the two-sided p-value of t² = r, to about 32 significant bits however small: an
// estimate to propose digits.
mpq_class TailEstimate(int nu, const mpq_class& r);

} // namespace qb
