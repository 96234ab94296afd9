#pragma once

#include "data/Rows.h"
#include "data/Statistics.h"

#include <optional>
#include <vector>

namespace qb {

// The least-squares steps over the checked rows. Each step sets StepOk on entry, and on failure
// clears it and returns 0. Deviations are taken about the means (two passes) in quad precision,
// so that large offsets and tiny spreads do not cancel the figures away.
class LeastSquares {
public:
    explicit LeastSquares(const Rows& rows);

    bool StepOk = false;

    Real MeanOfPower(Column column, int exponent);
    Real MeanOfProducts();
    Real StandardDeviation(Column column);
    // Square root of the covariance carrying the covariance's sign: a falling line gives a
    // negative value instead of failing.
    Real CovarianceRoot();
    Real Slope();
    Real Intercept(Real meanX, Real meanY, Real slope);
    Real Correlation();

private:
    using Values = std::vector<std::optional<Real>>;
    struct ColumnValues {
        Values values;  // the checked rows' values; nullopt where a text overflows
        Values offsets; // each value minus the first one, subtracted exactly on the texts
    };

    const ColumnValues& Of(Column c) const { return c == Column::X ? x_ : y_; }
    // The mean of the offsets: the column's mean is the first value plus this.
    std::optional<Real> MeanOffset(Column column) const;
    // Sum of the products of deviations about the means of two columns.
    std::optional<Real> DeviationSum(Column first, Column second) const;

    ColumnValues x_;
    ColumnValues y_;
    Real Fail();
    Real Succeed(Real value);
};

struct ComputeOutcome {
    bool ok = false;
    int failedStep = 0; // 1 to 14 when !ok
};

// Runs steps 1 to 11 into `stats` (a failed step leaves 0 in its field and the later fields
// untouched), then the extremes, which are written only when every step succeeds.
ComputeOutcome ComputeStatistics(const Rows& rows, Statistics& stats, Extremes& extremes);

// A * x + B; nullopt when the result lies beyond the 64-bit float range.
std::optional<Real> PredictY(Real x, Real a, Real b);

} // namespace qb
