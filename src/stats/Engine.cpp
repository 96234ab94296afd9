#include "Engine.h"

#include "data/TextValue.h"

#include <quadmath.h>

#include <cfloat>

namespace qb {
namespace {

bool WithinDoubleRange(Real v) {
    return fabsq(v) <= Real(DBL_MAX);
}

} // namespace

LeastSquares::LeastSquares(const Rows& rows) {
    for (const Row& row : rows) {
        if (row.used) {
            xs_.push_back(TextValueExtended(row.x));
            ys_.push_back(TextValueExtended(row.y));
        }
    }
}

Real LeastSquares::Fail() {
    StepOk = false;
    return 0;
}

Real LeastSquares::Succeed(Real value) {
    if (!WithinDoubleRange(value)) {
        return Fail();
    }
    StepOk = true;
    return value;
}

Real LeastSquares::Result(std::optional<Real> value) {
    return value ? Succeed(*value) : Fail();
}

Real LeastSquares::MeanOfPower(Column column, int exponent) {
    const auto& values = Values(column);
    if (values.empty()) {
        return Fail();
    }
    // Summing about the first value keeps equal values exactly equal to their mean.
    const std::optional<Real> shift = values.front();
    Real sum = 0;
    for (const auto& v : values) {
        if (!v) {
            return Fail();
        }
        sum += exponent == 1 ? *v - *shift : powq(*v, exponent);
    }
    const Real n = static_cast<Real>(values.size());
    return Succeed(exponent == 1 ? *shift + sum / n : sum / n);
}

Real LeastSquares::MeanOfProducts() {
    if (xs_.empty()) {
        return Fail();
    }
    Real sum = 0;
    for (std::size_t i = 0; i < xs_.size(); ++i) {
        if (!xs_[i] || !ys_[i]) {
            return Fail();
        }
        sum += *xs_[i] * *ys_[i];
    }
    return Succeed(sum / static_cast<Real>(xs_.size()));
}

std::optional<Real> LeastSquares::DeviationSum(Column first, Real firstMean, Column second,
                                               Real secondMean) const {
    const auto& a = Values(first);
    const auto& b = Values(second);
    if (a.empty()) {
        return std::nullopt;
    }
    Real sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!a[i] || !b[i]) {
            return std::nullopt;
        }
        sum += (*a[i] - firstMean) * (*b[i] - secondMean);
    }
    return sum;
}

Real LeastSquares::StandardDeviation(Column column, Real mean) {
    const auto squares = DeviationSum(column, mean, column, mean);
    if (!squares) {
        return Fail();
    }
    return Succeed(sqrtq(*squares / static_cast<Real>(xs_.size())));
}

Real LeastSquares::CovarianceRoot(Real meanX, Real meanY) {
    const auto crossed = DeviationSum(Column::X, meanX, Column::Y, meanY);
    if (!crossed) {
        return Fail();
    }
    const Real root = sqrtq(fabsq(*crossed) / static_cast<Real>(xs_.size()));
    return Succeed(*crossed < 0 ? -root : root);
}

Real LeastSquares::Slope(Real meanX, Real meanY) {
    const auto squares = DeviationSum(Column::X, meanX, Column::X, meanX);
    const auto crossed = DeviationSum(Column::X, meanX, Column::Y, meanY);
    if (!squares || !crossed || *squares == 0) {
        return Fail();
    }
    return Succeed(*crossed / *squares);
}

Real LeastSquares::Intercept(Real meanX, Real meanY, Real slope) {
    return Succeed(meanY - slope * meanX);
}

Real LeastSquares::Correlation(Real meanX, Real meanY) {
    const auto xSquares = DeviationSum(Column::X, meanX, Column::X, meanX);
    const auto ySquares = DeviationSum(Column::Y, meanY, Column::Y, meanY);
    const auto crossed = DeviationSum(Column::X, meanX, Column::Y, meanY);
    if (!xSquares || !ySquares || !crossed || *xSquares == 0 || *ySquares == 0) {
        return Fail();
    }
    return Succeed(*crossed / (sqrtq(*xSquares) * sqrtq(*ySquares)));
}

namespace {

// Minimum and maximum of one column over row 0 and the active rows.
bool ColumnExtremes(const Rows& rows, Column column, double& min, double& max) {
    const auto first = TextValue(rows[0].Text(column));
    if (!first) {
        return false;
    }
    min = max = *first;
    for (int i = 1; i < kRowCapacity; ++i) {
        if (!rows[i].active) {
            continue;
        }
        const auto v = TextValue(rows[i].Text(column));
        if (!v) {
            return false;
        }
        if (*v < min) {
            min = *v;
        }
        if (*v > max) {
            max = *v;
        }
    }
    return true;
}

} // namespace

ComputeOutcome ComputeStatistics(const Rows& rows, Statistics& stats, Extremes& extremes) {
    LeastSquares ls(rows);
    int failed = 0;
    const auto run = [&](int number, Figure field, auto&& compute) {
        if (failed != 0) {
            return;
        }
        stats[field] = compute();
        if (!ls.StepOk) {
            failed = number;
        }
    };
    run(1, X, [&] { return ls.MeanOfPower(Column::X, 1); });
    run(2, Y, [&] { return ls.MeanOfPower(Column::Y, 1); });
    run(3, X2, [&] { return ls.MeanOfPower(Column::X, 2); });
    run(4, Y2, [&] { return ls.MeanOfPower(Column::Y, 2); });
    run(5, XY, [&] { return ls.MeanOfProducts(); });
    run(6, SX, [&] { return ls.StandardDeviation(Column::X, stats[X]); });
    run(7, SY, [&] { return ls.StandardDeviation(Column::Y, stats[Y]); });
    run(8, SXY, [&] { return ls.CovarianceRoot(stats[X], stats[Y]); });
    run(9, A, [&] { return ls.Slope(stats[X], stats[Y]); });
    run(10, B, [&] { return ls.Intercept(stats[X], stats[Y], stats[A]); });
    run(11, R, [&] { return ls.Correlation(stats[X], stats[Y]); });
    if (failed != 0) {
        return {false, failed};
    }
    Extremes found;
    if (!ColumnExtremes(rows, Column::X, found.XMin, found.XMax)) {
        return {false, 13};
    }
    if (!ColumnExtremes(rows, Column::Y, found.YMin, found.YMax)) {
        return {false, 14};
    }
    extremes = found;
    return {true, 0};
}

std::optional<Real> PredictY(Real x, Real a, Real b) {
    const Real y = a * x + b;
    if (!WithinDoubleRange(y)) {
        return std::nullopt;
    }
    return y;
}

} // namespace qb
