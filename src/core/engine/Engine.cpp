#include "Engine.h"

#include <algorithm>

namespace qb {
namespace {

// The largest whole number s with |s| * 10^exponent within the 64-bit float range.
mpz_class SumLimit(long long exponent) {
    return exponent >= 0 ? mpz_class(DoubleMax() / PowerOfTen(exponent))
                         : mpz_class(DoubleMax() * PowerOfTen(-exponent));
}

std::optional<ExactNumber> InRange(ExactNumber figure) {
    return figure.WithinDoubleRange() ? std::optional(std::move(figure)) : std::nullopt;
}

// The square root of a radicand carrying the sign of `sign`.
ExactNumber RootSignedAs(const mpz_class& sign, mpq_class radicand) {
    return sgn(sign) < 0 ? ExactNumber::NegativeRoot(std::move(radicand))
                         : ExactNumber::Root(std::move(radicand));
}

} // namespace

LeastSquares::ScaledColumn LeastSquares::Read(const DataSet& rows, Column column) {
    ScaledColumn c;
    std::vector<ExactDecimal> values;
    for (const DataRow& row : rows) {
        if (!row.used) {
            continue;
        }
        const auto& number = row.Text(column).Number();
        if (!number) {
            c.readable = false;
            return c;
        }
        values.push_back(number->exact);
    }
    bool any = false;
    for (const ExactDecimal& v : values) {
        if (v.mantissa != 0) {
            c.exponent = any ? std::min(c.exponent, v.exponent) : v.exponent;
            any = true;
        }
    }
    // Steps 1 and 3 fail on any running sum beyond the range, even where the mean would fit.
    const mpz_class sumLimit = SumLimit(c.exponent);
    const mpz_class squaresLimit = SumLimit(2 * c.exponent);
    for (ExactDecimal& v : values) {
        if (v.mantissa != 0 && v.exponent != c.exponent) {
            v.mantissa *= PowerOfTen(v.exponent - c.exponent);
        }
        c.sum += v.mantissa;
        c.squares += v.mantissa * v.mantissa;
        c.sumInRange = c.sumInRange && mpz_cmpabs(c.sum.get_mpz_t(), sumLimit.get_mpz_t()) <= 0;
        c.squaresInRange =
            c.squaresInRange && mpz_cmpabs(c.squares.get_mpz_t(), squaresLimit.get_mpz_t()) <= 0;
        c.scaled.push_back(std::move(v.mantissa));
    }
    c.spread = long(values.size()) * c.squares - c.sum * c.sum;
    return c;
}

LeastSquares::LeastSquares(const DataSet& rows)
    : x_(Read(rows, Column::X)), y_(Read(rows, Column::Y)),
      n_(std::count_if(rows.begin(), rows.end(), [](const DataRow& r) { return r.used; })) {
    if (!Readable()) {
        return;
    }
    const mpz_class limit = SumLimit(x_.exponent + y_.exponent);
    for (long i = 0; i < n_; ++i) {
        products_ += x_.scaled[i] * y_.scaled[i];
        productsInRange_ =
            productsInRange_ && mpz_cmpabs(products_.get_mpz_t(), limit.get_mpz_t()) <= 0;
    }
    crossed_ = n_ * products_ - x_.sum * y_.sum;
}

std::optional<ExactNumber> LeastSquares::MeanOfPower(Column column, int exponent) const {
    const ScaledColumn& c = Of(column);
    if (n_ == 0 || !c.readable) {
        return std::nullopt;
    }
    if (exponent == 1) {
        return c.sumInRange ? InRange(DecimalRational(c.sum, c.exponent, n_)) : std::nullopt;
    }
    return c.squaresInRange ? InRange(DecimalRational(c.squares, 2 * c.exponent, n_))
                            : std::nullopt;
}

std::optional<ExactNumber> LeastSquares::MeanOfProducts() const {
    if (!Readable() || !productsInRange_) {
        return std::nullopt;
    }
    return InRange(DecimalRational(products_, x_.exponent + y_.exponent, n_));
}

std::optional<ExactNumber> LeastSquares::StandardDeviation(Column column) const {
    if (!Readable()) {
        return std::nullopt;
    }
    const ScaledColumn& c = Of(column);
    return InRange(ExactNumber::Root(DecimalRational(c.spread, 2 * c.exponent, n_ * n_)));
}

std::optional<ExactNumber> LeastSquares::CovarianceRoot() const {
    if (!Readable()) {
        return std::nullopt;
    }
    return InRange(
        RootSignedAs(crossed_, DecimalRational(abs(crossed_), x_.exponent + y_.exponent, n_ * n_)));
}

std::optional<ExactNumber> LeastSquares::Slope() const {
    if (!Readable() || x_.spread == 0) {
        return std::nullopt;
    }
    return InRange(DecimalRational(crossed_, y_.exponent - x_.exponent, x_.spread));
}

std::optional<ExactNumber> LeastSquares::Intercept() const {
    if (!Readable() || x_.spread == 0) {
        return std::nullopt;
    }
    // mean of Y - slope * mean of X over the common denominator n * spread of X.
    return InRange(
        DecimalRational(y_.sum * x_.spread - crossed_ * x_.sum, y_.exponent, n_ * x_.spread));
}

std::optional<ExactNumber> LeastSquares::Correlation() const {
    if (!Readable() || x_.spread == 0 || y_.spread == 0) {
        return std::nullopt;
    }
    mpq_class squared(crossed_ * crossed_, x_.spread * y_.spread);
    squared.canonicalize();
    return InRange(RootSignedAs(crossed_, std::move(squared)));
}

std::optional<RegressionSums> LeastSquares::Sums() const {
    if (!Readable()) {
        return std::nullopt;
    }
    return RegressionSums{n_,
                          DecimalRational(x_.sum, x_.exponent),
                          DecimalRational(y_.sum, y_.exponent),
                          DecimalRational(x_.squares, 2 * x_.exponent),
                          DecimalRational(y_.squares, 2 * y_.exponent),
                          DecimalRational(products_, x_.exponent + y_.exponent)};
}

namespace {

// Minimum and maximum of one column over row 0 and the active rows.
bool ColumnExtremes(const DataSet& rows, Column column, double& min, double& max) {
    const auto& first = rows[0].Text(column).Number();
    if (!first) {
        return false;
    }
    min = max = first->value;
    for (int i = 1; i < kRowCapacity; ++i) {
        if (!rows[i].active) {
            continue;
        }
        const auto& number = rows[i].Text(column).Number();
        if (!number) {
            return false;
        }
        min = std::min(min, number->value);
        max = std::max(max, number->value);
    }
    return true;
}

} // namespace

ComputeOutcome ComputeStatistics(const DataSet& rows, Statistics& stats, Extremes& extremes) {
    const LeastSquares ls(rows);
    int failed = 0;
    const auto run = [&](int number, Figure field, auto&& compute) {
        if (failed != 0) {
            return;
        }
        std::optional<ExactNumber> figure = compute();
        if (!figure) {
            failed = number;
        }
        stats[field] = figure ? std::move(*figure) : ExactNumber();
    };
    run(1, Figure::X, [&] { return ls.MeanOfPower(Column::X, 1); });
    run(2, Figure::Y, [&] { return ls.MeanOfPower(Column::Y, 1); });
    run(3, Figure::X2, [&] { return ls.MeanOfPower(Column::X, 2); });
    run(4, Figure::Y2, [&] { return ls.MeanOfPower(Column::Y, 2); });
    run(5, Figure::XY, [&] { return ls.MeanOfProducts(); });
    run(6, Figure::SX, [&] { return ls.StandardDeviation(Column::X); });
    run(7, Figure::SY, [&] { return ls.StandardDeviation(Column::Y); });
    run(8, Figure::SXY, [&] { return ls.CovarianceRoot(); });
    run(9, Figure::A, [&] { return ls.Slope(); });
    run(10, Figure::B, [&] { return ls.Intercept(); });
    run(11, Figure::R, [&] { return ls.Correlation(); });
    if (failed != 0) {
        return {.failedStep = failed, .sums = std::nullopt};
    }
    Extremes found;
    if (!ColumnExtremes(rows, Column::X, found.XMin, found.XMax)) {
        return {.failedStep = 13, .sums = std::nullopt};
    }
    if (!ColumnExtremes(rows, Column::Y, found.YMin, found.YMax)) {
        return {.failedStep = 14, .sums = std::nullopt};
    }
    extremes = found;
    return {.ok = true, .sums = ls.Sums()};
}

std::optional<mpq_class> PredictY(const mpq_class& x, const mpq_class& a, const mpq_class& b) {
    mpq_class y = a * x + b;
    if (!ExactNumber(y).WithinDoubleRange()) {
        return std::nullopt;
    }
    return y;
}

} // namespace qb
