#pragma once

#include "DrawingSurface.h"
#include "engine/Statistics.h"
#include "engine/Uncertainty.h"

#include <optional>

namespace qb {

class RecordingSurface;

// Okabe and Ito's yellow and reddish purple: 15.7 and 6.9:1 on the plot's black, far in lightness
// from the cyan line and each other, and told apart in every common colour blindness.
inline constexpr Rgb kConfidenceBand{240, 228, 66};
inline constexpr Rgb kPredictionBand{204, 121, 167};

// Segments enough for the bands' curves to look smooth at any size the chart is shown.
inline constexpr int kBandSegments = 64;

// The frame's data area in user units, with xMin < xMax and yMin < yMax.
struct PlotArea {
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
};

// The area the frame laid its black ground on; nullopt while no frame is drawn.
std::optional<PlotArea> PlotAreaOf(const RecordingSurface& chart);

// From XMin to XMax, the confidence band of the line (the mean response) and the prediction band
// of a new observation at the level, each side a dashed polyline clipped to the area, and a
// legend line on a strip of the plot's ground in the top margin's right end, clear of the
// frame's labels. Without degrees of freedom the bands are not defined and nothing is drawn.
void DrawBands(DrawingSurface& surface, const PlotArea& area, const Extremes& extremes,
               const Statistics& stats, const Uncertainty& uncertainty, ConfidenceLevel level);

} // namespace qb
