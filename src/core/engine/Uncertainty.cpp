#include "Uncertainty.h"

#include "StudentT.h"
#include "numbers/NumberPattern.h"
#include "numbers/RoundedDecimal.h"

#include <algorithm>
#include <cmath>

namespace qb {
namespace {

constexpr int kShortDecimals = 5; // s, t, t_c and the prediction's intervals
constexpr int kLongDecimals = 8;  // R², the standard errors and the coefficients' intervals

mpq_class LevelValue(ConfidenceLevel level) {
    switch (level) {
    case ConfidenceLevel::Percent90:
        return mpq_class(9, 10);
    case ConfidenceLevel::Percent95:
        return mpq_class(19, 20);
    case ConfidenceLevel::Percent99:
        return mpq_class(99, 100);
    }
    return mpq_class(19, 20);
}

QString Shown(const ExactNumber& value, int decimals) {
    return FormatNumber(value, NumberPattern{1, decimals}, u'.');
}

// About log2 |q|, q != 0.
long MagnitudeBits(const mpq_class& q) {
    return long(mpz_sizeinbase(q.get_num_mpz_t(), 2)) - long(mpz_sizeinbase(q.get_den_mpz_t(), 2));
}

// sqrt(q) within 2^-bits, from below.
mpq_class RootEstimate(const mpq_class& q, long bits) {
    mpz_class scaled = q.get_num() << (2 * bits);
    scaled /= q.get_den();
    mpq_class root(sqrt(scaled));
    mpq_div_2exp(root.get_mpq_t(), root.get_mpq_t(), bits);
    return root;
}

// The decimal exponent of q > 0.
int DecimalExponent(const mpq_class& q) {
    int e = int(mpz_sizeinbase(q.get_num_mpz_t(), 10)) - int(mpz_sizeinbase(q.get_den_mpz_t(), 10));
    while (q < TenTo(e)) {
        --e;
    }
    while (q >= TenTo(e + 1)) {
        ++e;
    }
    return e;
}

} // namespace

QString LevelText(ConfidenceLevel level) {
    switch (level) {
    case ConfidenceLevel::Percent90:
        return QStringLiteral("90 %");
    case ConfidenceLevel::Percent95:
        return QStringLiteral("95 %");
    case ConfidenceLevel::Percent99:
        return QStringLiteral("99 %");
    }
    return {};
}

std::optional<Uncertainty> Uncertainty::Of(const DataSet& rows, ConfidenceLevel level) {
    const auto sums = LeastSquares(rows).Sums();
    return sums ? Of(*sums, level) : std::nullopt;
}

std::optional<Uncertainty> Uncertainty::Of(const RegressionSums& sums, ConfidenceLevel level) {
    if (sums.n * sums.xx == sums.x * sums.x || sums.n * sums.yy == sums.y * sums.y) {
        return std::nullopt;
    }
    return Uncertainty(sums, level);
}

Uncertainty::Uncertainty(const RegressionSums& sums, ConfidenceLevel level)
    : n_(sums.n), nu_(sums.n - 2), level_(LevelValue(level)), sumX_(sums.x), sumXX_(sums.xx),
      spreadX_(sums.n * sums.xx - sums.x * sums.x) {
    const mpq_class spreadY = n_ * sums.yy - sums.y * sums.y;
    const mpq_class crossed = n_ * sums.xy - sums.x * sums.y;
    residual_ = spreadX_ * spreadY - crossed * crossed;
    rSquared_ = crossed * crossed / (spreadX_ * spreadY);
    slope_ = crossed / spreadX_;
    intercept_ = (sums.y - slope_ * sums.x) / n_;
}

UncertaintyFigures Uncertainty::Figures() const {
    UncertaintyFigures f;
    f.degreesOfFreedom = QString::number(nu_);
    f.rSquared = Shown(ExactNumber(rSquared_), kLongDecimals);
    if (nu_ == 0) {
        f.note = UncertaintyNote::NoDegreesOfFreedom;
        return f;
    }
    if (sgn(residual_) == 0) {
        f.note = UncertaintyNote::PerfectFit;
    }
    const mpq_class slopeVariance = residual_ / (nu_ * spreadX_ * spreadX_);
    const mpq_class interceptVariance = slopeVariance * sumXX_ / n_;
    f.s = Shown(ExactNumber::Root(residual_ / (n_ * nu_ * spreadX_)), kShortDecimals);
    const mpq_class tEstimate = TEstimateFor({slopeVariance, interceptVariance}, kLongDecimals);
    f.criticalT = CriticalT(tEstimate);
    f.slope = Coefficient(slope_, slopeVariance, tEstimate);
    f.intercept = Coefficient(intercept_, interceptVariance, tEstimate);
    return f;
}

PredictionIntervals Uncertainty::At(const mpq_class& x0) const {
    if (nu_ == 0) {
        return {};
    }
    const mpq_class y = slope_ * x0 + intercept_;
    const mpq_class offset = n_ * x0 - sumX_;
    const mpq_class leverage = mpq_class(1) / n_ + offset * offset / (n_ * spreadX_);
    const mpq_class variance = residual_ / (n_ * nu_ * spreadX_);
    const mpq_class meanVariance = variance * leverage;
    const mpq_class newVariance = variance * (1 + leverage);
    const mpq_class tEstimate = TEstimateFor({meanVariance, newVariance}, kShortDecimals);
    const auto end = [&](const mpq_class& v, Side side) {
        return IntervalEnd(y, v, side, kShortDecimals, tEstimate);
    };
    return {end(meanVariance, Side::Low), end(meanVariance, Side::High),
            end(newVariance, Side::Low), end(newVariance, Side::High)};
}

std::vector<BandHalfWidths> Uncertainty::BandsAt(std::span<const double> xs) const {
    if (nu_ == 0) {
        return {};
    }
    // A drawing needs no exact digits: far more bits than a double holds are plenty.
    constexpr long kDrawingBits = 64;
    const double criticalT = CriticalTEstimate(int(nu_), level_, kDrawingBits).get_d();
    const mpq_class variance = residual_ / (n_ * nu_ * spreadX_);
    std::vector<BandHalfWidths> widths;
    widths.reserve(xs.size());
    for (const double x : xs) {
        // Exact up to the root, so that large offsets in X lose nothing to cancellation.
        const mpq_class offset = n_ * mpq_class(x) - sumX_;
        const mpq_class leverage = mpq_class(1) / n_ + offset * offset / (n_ * spreadX_);
        widths.push_back({criticalT * std::sqrt(mpq_class(variance * leverage).get_d()),
                          criticalT * std::sqrt(mpq_class(variance * (1 + leverage)).get_d())});
    }
    return widths;
}

CoefficientUncertainty Uncertainty::Coefficient(const mpq_class& estimate,
                                                const mpq_class& variance,
                                                const mpq_class& tEstimate) const {
    CoefficientUncertainty c;
    c.standardError = Shown(ExactNumber::Root(variance), kLongDecimals);
    if (sgn(residual_) != 0) {
        const mpq_class tSquared = estimate * estimate / variance;
        c.t = Shown(sgn(estimate) < 0 ? ExactNumber::NegativeRoot(tSquared)
                                      : ExactNumber::Root(tSquared),
                    kShortDecimals);
        c.p = PValue(tSquared);
    }
    c.low = IntervalEnd(estimate, variance, Side::Low, kLongDecimals, tEstimate);
    c.high = IntervalEnd(estimate, variance, Side::High, kLongDecimals, tEstimate);
    return c;
}

mpq_class Uncertainty::TEstimateFor(std::initializer_list<mpq_class> variances,
                                    int decimals) const {
    long bits = 0;
    for (const mpq_class& v : variances) {
        bits = sgn(v) == 0 ? bits : std::max(bits, MagnitudeBits(v) / 2);
    }
    return CriticalTEstimate(int(nu_), level_, bits + decimals * 10 / 3 + 16);
}

FigureText Uncertainty::CriticalT(const mpq_class& tEstimate) const {
    // t_c > m exactly when F(m²) < level.
    const auto compare = [&](const mpq_class& m) {
        return sgn(m) <= 0 ? 1 : -CompareCentralProbability(int(nu_), m * m, level_);
    };
    return FixedText(
        RoundByComparison(compare, Nearest(tEstimate * TenTo(kShortDecimals)), kShortDecimals));
}

QString Uncertainty::IntervalEnd(const mpq_class& estimate, const mpq_class& variance, Side side,
                                 int decimals, const mpq_class& tEstimate) const {
    const int direction = int(side);
    // With g = direction·(m − estimate), the end lies beyond m when g <= 0, and otherwise when
    // t_c > g / sqrt(variance), that is when F(g²/variance) < level.
    const auto compare = [&](const mpq_class& m) {
        if (sgn(variance) == 0) {
            return cmp(estimate, m);
        }
        const mpq_class g = direction * (m - estimate);
        if (sgn(g) <= 0) {
            return direction;
        }
        return -direction * CompareCentralProbability(int(nu_), g * g / variance, level_);
    };
    const long bits = sgn(variance) == 0 ? 0 : std::max(0L, MagnitudeBits(variance) / 2);
    const mpq_class width = RootEstimate(variance, bits + decimals * 10 / 3 + 16) * tEstimate;
    const mpq_class proposal = (estimate + direction * width) * TenTo(decimals);
    return FixedText(RoundByComparison(compare, Nearest(proposal), decimals));
}

QString Uncertainty::PValue(const mpq_class& tSquared) const {
    // p > m exactly when F(t²) < 1 − m.
    const auto compare = [&](const mpq_class& m) {
        return sgn(m) <= 0 ? 1 : -CompareCentralProbability(int(nu_), tSquared, 1 - m);
    };
    const mpq_class estimate = TailEstimate(int(nu_), tSquared);
    return FourSignificantText(
        compare, [&](int decimals) { return Nearest(estimate * TenTo(decimals)); },
        DecimalExponent(estimate));
}

} // namespace qb
