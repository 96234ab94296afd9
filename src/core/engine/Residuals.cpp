#include "Residuals.h"

#include "Engine.h"
#include "numbers/NumberPattern.h"

#include <algorithm>

namespace qb {
namespace {

// Beyond this size a standardized residual is marked; compared as squares, so exactly.
const mpq_class kOutlierSquare(4);

QString Shown(const ExactNumber& value, const NumberPattern& pattern) {
    return FormatNumber(value, pattern, u'.');
}

bool Checked(const DataRow& row) {
    return row.used && row.active;
}

// The rows with only the checked ones in use: a row beyond the row count never counts.
DataSet CheckedRows(DataSet rows) {
    for (DataRow& row : rows) {
        row.used = Checked(row);
    }
    return rows;
}

// The rows with every active one in use, checked or not.
DataSet EveryActiveRow(DataSet rows) {
    for (DataRow& row : rows) {
        row.used = row.active;
    }
    return rows;
}

// The least-squares line of the checked rows, from their exact sums.
struct Fit {
    long n = 0;
    mpq_class sumX;
    mpq_class spreadX; // Dx = n·Σx² − (Σx)²
    mpq_class slope;
    mpq_class intercept;
    mpq_class variance; // s² = E / (n·ν·Dx); meaningful only with a note of None
    ResidualNote note = ResidualNote::None;

    static std::optional<Fit> Of(const RegressionSums& sums) {
        Fit f;
        f.n = sums.n;
        f.sumX = sums.x;
        f.spreadX = sums.n * sums.xx - sums.x * sums.x;
        const mpq_class spreadY = sums.n * sums.yy - sums.y * sums.y;
        // Without spread in X there is no line; without spread in Y no correlation, and the
        // statistics fail as well.
        if (sgn(f.spreadX) == 0 || sgn(spreadY) == 0) {
            return std::nullopt;
        }
        const mpq_class crossed = sums.n * sums.xy - sums.x * sums.y;
        const mpq_class residual = f.spreadX * spreadY - crossed * crossed;
        f.slope = crossed / f.spreadX;
        f.intercept = (sums.y - f.slope * sums.x) / sums.n;
        if (sums.n == 2) {
            f.note = ResidualNote::NoDegreesOfFreedom;
        } else if (sgn(residual) == 0) {
            f.note = ResidualNote::PerfectFit;
        } else {
            f.variance = residual / (sums.n * (sums.n - 2) * f.spreadX);
        }
        return f;
    }

    mpq_class Leverage(const mpq_class& x) const {
        const mpq_class offset = n * x - sumX;
        return mpq_class(1, n) + offset * offset / (n * spreadX);
    }

    ResidualRow Row(int index, const DataRow& data) const {
        const mpq_class x = data.x.Number()->exact.Rational();
        const mpq_class y = data.y.Number()->exact.Rational();
        const mpq_class fitted = slope * x + intercept;
        const mpq_class residual = y - fitted;
        const mpq_class leverage = Leverage(x);
        ResidualRow r;
        r.row = index;
        r.excluded = !Checked(data);
        r.fitted = Shown(ExactNumber(fitted), kMeanPattern);
        r.residual = Shown(ExactNumber(residual), kMeanPattern);
        r.plotResidual = residual.get_d();
        if (!r.excluded) {
            r.leverage = Shown(ExactNumber(leverage), kMeanPattern);
        }
        // An excluded row is a new observation: its residual's variance is s²·(1 + h).
        const mpq_class share = r.excluded ? mpq_class(1 + leverage) : mpq_class(1 - leverage);
        if (note != ResidualNote::None || sgn(share) == 0) {
            return r;
        }
        const mpq_class square = residual * residual / (variance * share);
        r.standardized =
            Shown(sgn(residual) < 0 ? ExactNumber::NegativeRoot(square) : ExactNumber::Root(square),
                  kMeanPattern);
        r.outlier = square > kOutlierSquare;
        if (!r.excluded) {
            const mpq_class cook = square * leverage / (2 * share);
            r.cook = Shown(ExactNumber(cook), kMeanPattern);
            r.influential = cook > mpq_class(4, n);
        }
        return r;
    }
};

// The slope, intercept and correlation of every active row, as the statistics page shows them.
std::optional<FitWithAll> WithAll(const DataSet& rows) {
    const LeastSquares all(EveryActiveRow(rows));
    const auto a = all.Slope();
    const auto b = all.Intercept();
    const auto r = all.Correlation();
    if (!a || !b || !r) {
        return std::nullopt;
    }
    return FitWithAll{Shown(*a, kCoefficientPattern), Shown(*b, kCoefficientPattern),
                      Shown(*r, kCoefficientPattern)};
}

} // namespace

std::optional<ResidualFigures> ResidualsOf(const DataSet& rows) {
    const bool readable = std::all_of(rows.begin(), rows.end(), [](const DataRow& r) {
        return !r.active || (r.x.Number() && r.y.Number());
    });
    const auto sums = LeastSquares(CheckedRows(rows)).Sums();
    const auto fit = readable && sums ? Fit::Of(*sums) : std::nullopt;
    if (!fit) {
        return std::nullopt;
    }
    ResidualFigures figures;
    figures.note = fit->note;
    bool anyExcluded = false;
    for (int i = 0; i < kRowCapacity; ++i) {
        if (rows[i].active) {
            figures.rows.push_back(fit->Row(i, rows[i]));
            anyExcluded = anyExcluded || figures.rows.back().excluded;
        }
    }
    if (anyExcluded) {
        figures.withAll = WithAll(rows);
    }
    return figures;
}

QString ResidualStateText(const ResidualRow& row) {
    if (row.excluded) {
        return row.outlier ? QStringLiteral("esclusa, anomalo") : QStringLiteral("esclusa");
    }
    if (row.outlier && row.influential) {
        return QStringLiteral("anomalo e influente");
    }
    if (row.outlier) {
        return QStringLiteral("anomalo");
    }
    return row.influential ? QStringLiteral("influente") : QStringLiteral("in uso");
}

} // namespace qb
