#pragma once

#include "DrawingSurface.h"
#include "data/Rows.h"
#include "data/Statistics.h"

namespace qb {

// One point per active row: white when the row is in use, red when it is left out.
bool PlotPoints(DrawingSurface& surface, const Rows& rows);

// The line Y = A·X + B from XMin to XMax, in cyan.
bool DrawRegressionLine(DrawingSurface& surface, const Extremes& extremes, const Statistics& stats);

// A 64-bit value as the 32-bit float the chart draws with; false when it does not fit.
bool NarrowToFloat(double value, float& narrowed);

} // namespace qb
