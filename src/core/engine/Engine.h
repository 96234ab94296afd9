#pragma once

#include "DataSet.h"
#include "Statistics.h"

#include <gmpxx.h>

#include <optional>
#include <vector>

namespace qb {

// The exact sums over the checked rows.
struct RegressionSums {
    long n = 0;
    mpq_class x, y, xx, yy, xy;
};

// The least-squares steps over the checked rows, exact on the typed decimals. Each step returns
// its figure, or nullopt when it fails: no checked row, a text beyond the 64-bit float range, a
// running sum or the figure itself beyond that range, no spread to divide by.
class LeastSquares {
public:
    explicit LeastSquares(const DataSet& rows);

    // exponent: 1 or 2.
    std::optional<ExactNumber> MeanOfPower(Column column, int exponent) const;
    std::optional<ExactNumber> MeanOfProducts() const;
    std::optional<ExactNumber> StandardDeviation(Column column) const;
    // Square root of the covariance carrying the covariance's sign: a falling line gives a
    // negative value instead of failing.
    std::optional<ExactNumber> CovarianceRoot() const;
    std::optional<ExactNumber> Slope() const;
    std::optional<ExactNumber> Intercept() const;
    std::optional<ExactNumber> Correlation() const;
    // nullopt when a text cannot be read.
    std::optional<RegressionSums> Sums() const;

private:
    // A column's values as whole numbers over one power of ten: value = scaled * 10^exponent.
    // Working on whole numbers keeps the sums exact and cheap.
    struct ScaledColumn {
        bool readable = true; // no text beyond the 64-bit float range
        std::vector<mpz_class> scaled;
        long long exponent = 0;
        mpz_class sum;
        mpz_class squares;
        bool sumInRange = true; // every running sum within the 64-bit float range
        bool squaresInRange = true;
        mpz_class spread; // n * squares - sum^2: n^2 times the sum of squared deviations
    };

    static ScaledColumn Read(const DataSet& rows, Column column);
    const ScaledColumn& Of(Column c) const { return c == Column::X ? x_ : y_; }
    bool Readable() const { return n_ > 0 && x_.readable && y_.readable; }

    ScaledColumn x_;
    ScaledColumn y_;
    long n_ = 0;
    mpz_class products_;
    bool productsInRange_ = true;
    mpz_class crossed_; // n * products - sum of X * sum of Y
};

struct ComputeOutcome {
    bool ok = false;
    int failedStep = 0;                 // 1 to 14 when !ok
    std::optional<RegressionSums> sums; // the exact sums behind the figures, when ok
};

// Runs steps 1 to 11 into `stats` (a failed step leaves 0 in its field and the later fields
// untouched), then the extremes, which are written only when every step succeeds.
ComputeOutcome ComputeStatistics(const DataSet& rows, Statistics& stats, Extremes& extremes);

// A * x + B exactly; nullopt when the result lies beyond the 64-bit float range.
std::optional<mpq_class> PredictY(const mpq_class& x, const mpq_class& a, const mpq_class& b);

} // namespace qb
