#include "Engine.h"

#include "data/TextValue.h"

#include <quadmath.h>

#include <cfloat>

namespace qb {
namespace {

bool WithinDoubleRange(Real v) {
    return fabsq(v) <= Real(DBL_MAX);
}

// Adds a term to the running sum of a mean (steps 1 to 5); false once the sum leaves the 64-bit
// float range, which fails the step even where the mean would fit. The deviation sums of the
// later steps are bounded by the sums of squares, so they need no such check.
bool AddWithinRange(Real& sum, Real term) {
    sum += term;
    return WithinDoubleRange(sum);
}

} // namespace

LeastSquares::LeastSquares(const Rows& rows) {
    const Row* first = nullptr;
    for (const Row& row : rows) {
        if (!row.used) {
            continue;
        }
        first = first ? first : &row;
        x_.values.push_back(TextValueExtended(row.x));
        y_.values.push_back(TextValueExtended(row.y));
        x_.offsets.push_back(TextDifferenceExtended(row.x, first->x));
        y_.offsets.push_back(TextDifferenceExtended(row.y, first->y));
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

std::optional<Real> LeastSquares::MeanOffset(Column column) const {
    const Values& offsets = Of(column).offsets;
    if (offsets.empty()) {
        return std::nullopt;
    }
    Real sum = 0;
    for (const auto& d : offsets) {
        if (!d) {
            return std::nullopt;
        }
        sum += *d;
    }
    return sum / static_cast<Real>(offsets.size());
}

Real LeastSquares::MeanOfPower(Column column, int exponent) {
    const ColumnValues& c = Of(column);
    if (c.values.empty()) {
        return Fail();
    }
    Real sum = 0;
    for (const auto& v : c.values) {
        if (!v || !AddWithinRange(sum, powq(*v, exponent))) {
            return Fail();
        }
    }
    if (exponent == 1) {
        // The offsets keep the digits that a sum of large values would lose.
        const auto offset = MeanOffset(column);
        return offset ? Succeed(*c.values.front() + *offset) : Fail();
    }
    return Succeed(sum / static_cast<Real>(c.values.size()));
}

Real LeastSquares::MeanOfProducts() {
    if (x_.values.empty()) {
        return Fail();
    }
    Real sum = 0;
    for (std::size_t i = 0; i < x_.values.size(); ++i) {
        if (!x_.values[i] || !y_.values[i] || !AddWithinRange(sum, *x_.values[i] * *y_.values[i])) {
            return Fail();
        }
    }
    return Succeed(sum / static_cast<Real>(x_.values.size()));
}

std::optional<Real> LeastSquares::DeviationSum(Column first, Column second) const {
    const auto firstOffset = MeanOffset(first);
    const auto secondOffset = MeanOffset(second);
    if (!firstOffset || !secondOffset) {
        return std::nullopt;
    }
    const Values& a = Of(first).offsets;
    const Values& b = Of(second).offsets;
    Real sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += (*a[i] - *firstOffset) * (*b[i] - *secondOffset);
    }
    return sum;
}

Real LeastSquares::StandardDeviation(Column column) {
    const auto squares = DeviationSum(column, column);
    if (!squares) {
        return Fail();
    }
    return Succeed(sqrtq(*squares / static_cast<Real>(x_.values.size())));
}

Real LeastSquares::CovarianceRoot() {
    const auto crossed = DeviationSum(Column::X, Column::Y);
    if (!crossed) {
        return Fail();
    }
    const Real root = sqrtq(fabsq(*crossed) / static_cast<Real>(x_.values.size()));
    return Succeed(*crossed < 0 ? -root : root);
}

Real LeastSquares::Slope() {
    const auto squares = DeviationSum(Column::X, Column::X);
    const auto crossed = DeviationSum(Column::X, Column::Y);
    if (!squares || !crossed || *squares == 0) {
        return Fail();
    }
    return Succeed(*crossed / *squares);
}

Real LeastSquares::Intercept(Real meanX, Real meanY, Real slope) {
    return Succeed(meanY - slope * meanX);
}

Real LeastSquares::Correlation() {
    const auto xSquares = DeviationSum(Column::X, Column::X);
    const auto ySquares = DeviationSum(Column::Y, Column::Y);
    const auto crossed = DeviationSum(Column::X, Column::Y);
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
    run(6, SX, [&] { return ls.StandardDeviation(Column::X); });
    run(7, SY, [&] { return ls.StandardDeviation(Column::Y); });
    run(8, SXY, [&] { return ls.CovarianceRoot(); });
    run(9, A, [&] { return ls.Slope(); });
    run(10, B, [&] { return ls.Intercept(stats[X], stats[Y], stats[A]); });
    run(11, R, [&] { return ls.Correlation(); });
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
