#pragma once

#include "DataSet.h"
#include "Uncertainty.h"

#include <QString>
#include <optional>
#include <vector>

namespace qb {

// Why some residual figures are not defined.
enum class ResidualNote {
    None,
    NoDegreesOfFreedom, // 2 checked rows: n − 2 = 0, so s has no value
    PerfectFit,         // every residual of the fit 0: s = 0
};

// One row in use, as the residuals page shows it. The figures are texts with a point as the
// decimal separator, or nullopt where they are not defined.
struct ResidualRow {
    int row = 0;           // 0-based index in the grid
    bool excluded = false; // unchecked: left out of the fit, measured against it
    FigureText fitted;     // a·x + b
    FigureText residual;   // y − (a·x + b)
    // Internally studentized e / (s·√(1 − h)); for an excluded row the standardized prediction
    // residual e / (s·√(1 + h)).
    FigureText standardized;
    FigureText leverage;      // h; never for an excluded row
    FigureText cook;          // Cook's distance; never for an excluded row
    bool outlier = false;     // the standardized value beyond 2 in size
    bool influential = false; // Cook's distance above 4 / n
    double plotResidual = 0;  // the residual, near enough to draw
};

// The line with every row in use put back, as the statistics page would show it.
struct FitWithAll {
    QString a;
    QString b;
    QString r;
};

struct ResidualFigures {
    ResidualNote note = ResidualNote::None;
    std::vector<ResidualRow> rows;     // every active row, in row order
    std::optional<FitWithAll> withAll; // only when some active row is unchecked
};

// The residuals of every active row against the least-squares line of the checked rows; nullopt
// when the checked rows give no line.
std::optional<ResidualFigures> ResidualsOf(const DataSet& rows);

// The row's state in words: "in uso", "esclusa", "anomalo", "influente", "anomalo e influente",
// "esclusa, anomalo".
QString ResidualStateText(const ResidualRow& row);

} // namespace qb
