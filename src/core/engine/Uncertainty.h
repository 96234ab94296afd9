#pragma once

#include "DataSet.h"
#include "Engine.h"

#include <QString>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

namespace qb {

enum class ConfidenceLevel { Percent90, Percent95, Percent99 };

// "95 %" and the like.
QString LevelText(ConfidenceLevel level);

// A figure as shown, with a point as the decimal separator; nullopt where it is not defined.
using FigureText = std::optional<QString>;

// Why some figures are not defined.
enum class UncertaintyNote {
    None,
    NoDegreesOfFreedom, // 2 rows: n − 2 = 0
    PerfectFit,         // every residual 0: t and p have no value
};

struct CoefficientUncertainty {
    FigureText standardError;
    FigureText t;
    FigureText p;
    FigureText low; // the confidence interval
    FigureText high;
};

struct UncertaintyFigures {
    UncertaintyNote note = UncertaintyNote::None;
    QString degreesOfFreedom;
    FigureText s; // sample standard error of the regression, divisor n − 2
    QString rSquared;
    FigureText criticalT;
    CoefficientUncertainty slope;     // a
    CoefficientUncertainty intercept; // b
};

// How far each band reaches on either side of the line at one x.
struct BandHalfWidths {
    double confidence; // t_c·s·√h(x), the mean response's
    double prediction; // t_c·s·√(1 + h(x)), a new observation's
};

struct PredictionIntervals {
    FigureText meanLow; // the mean response's confidence interval
    FigureText meanHigh;
    FigureText newLow; // a new observation's prediction interval
    FigureText newHigh;
};

// How sure the least-squares line is, from the exact sums: every shown digit is the exact value
// rounded once, halves away from zero.
class Uncertainty {
public:
    // nullopt when the rows give no line: a text that cannot be read, no spread in X or in Y.
    static std::optional<Uncertainty> Of(const DataSet& rows, ConfidenceLevel level);
    static std::optional<Uncertainty> Of(const RegressionSums& sums, ConfidenceLevel level);

    UncertaintyFigures Figures() const;
    // The intervals around the line at x0.
    PredictionIntervals At(const mpq_class& x0) const;
    // The bands' half widths at each x, as doubles for drawing; empty without degrees of freedom.
    std::vector<BandHalfWidths> BandsAt(std::span<const double> xs) const;

private:
    enum class Side { Low = -1, High = 1 };

    Uncertainty(const RegressionSums& sums, ConfidenceLevel level);
    // estimate + side·sqrt(variance)·t_c, rounded to `decimals`; tEstimate proposes t_c.
    QString IntervalEnd(const mpq_class& estimate, const mpq_class& variance, Side side,
                        int decimals, const mpq_class& tEstimate) const;
    FigureText CriticalT(const mpq_class& tEstimate) const;
    // The two-sided p-value of t² = tSquared.
    QString PValue(const mpq_class& tSquared) const;
    CoefficientUncertainty Coefficient(const mpq_class& estimate, const mpq_class& variance,
                                       const mpq_class& tEstimate) const;
    // t_c to the precision that the ends of intervals of these variances need at `decimals`.
    mpq_class TEstimateFor(std::initializer_list<mpq_class> variances, int decimals) const;

    long n_;
    long nu_;
    mpq_class level_;
    mpq_class sumX_;
    mpq_class sumXX_;
    mpq_class spreadX_;  // n·Σx² − (Σx)²
    mpq_class residual_; // E = Dx·Dy − C², n·Dx times the sum of squared residuals
    mpq_class rSquared_;
    mpq_class slope_;
    mpq_class intercept_;
};

} // namespace qb
