#pragma once

#include "DrawingSurface.h"
#include "engine/DataSet.h"
#include "engine/Residuals.h"
#include "engine/Statistics.h"

namespace qb {

class RecordingSurface;

// The ring around a point the residuals mark: yellow reads on the plot's black (19.6:1) and
// differs from both the white and the red points, so that it tells the mark by shape too.
inline constexpr Rgb kMarkRing{255, 255, 0};

struct ResidualPlotArgs {
    const DataSet& rows;
    const ResidualFigures& figures;
    const Extremes& extremes; // of the rows in use, as the chart has them
    QChar decimalSeparator = u'.';
};

// The residual of every row in use against its X, in the chart's frame with zero always in the
// range: the zero line in the regression line's cyan, the points white when they take part in
// the fit and red when they are left out, a ring around each anomalous or influential one.
// False when the frame or a point cannot be drawn.
[[nodiscard]] bool PlotResiduals(DrawingSurface& surface, const ResidualPlotArgs& args);

// What a screen reader says of the plot: how many points, and each marked one with its row
// number, its residual and its state. Without a drawing the plot is described as empty.
QString ResidualPlotDescription(const RecordingSurface& plot,
                                const std::optional<ResidualFigures>& figures,
                                QChar decimalSeparator);

} // namespace qb
