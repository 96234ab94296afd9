#pragma once

#include "DrawingSurface.h"
#include "engine/DataSet.h"
#include "engine/Statistics.h"

#include <optional>

namespace qb {

class RecordingSurface;

// The pattern of the chart's tick labels on both axes, which its description follows too.
inline constexpr char kChartTickFormat[] = "#######0.0";

// One point per active row: white when the row is in use, red when it is left out.
[[nodiscard]] bool PlotPoints(DrawingSurface& surface, const DataSet& rows);

// The line Y = A·X + B from XMin to XMax, in cyan.
[[nodiscard]] bool DrawRegressionLine(DrawingSurface& surface, const Extremes& extremes,
                                      const Statistics& stats);

// What a screen reader says of the chart, since colour alone tells the points left out: the
// axes' ranges, the regression line with the coefficients as the statistics page shows them, the
// bands where they are shown, and each point drawn with its row number, those left out of the
// figures said so and counted.
// Without its line the chart is described as empty.
QString ChartDescription(const RecordingSurface& chart, const DataSet& rows,
                         const Statistics& stats, QChar decimalSeparator);

// A 64-bit value as the 32-bit float the chart draws with; nullopt when it does not fit.
std::optional<float> NarrowToFloat(double value);

} // namespace qb
