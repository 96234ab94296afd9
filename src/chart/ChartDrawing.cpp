#include "ChartDrawing.h"

#include "data/TextValue.h"

#include <cfloat>
#include <cmath>

namespace qb {

bool NarrowToFloat(double value, float& narrowed) {
    if (!std::isfinite(value) || std::abs(value) > double(FLT_MAX)) {
        return false;
    }
    narrowed = float(value);
    return true;
}

bool PlotPoints(DrawingSurface& surface, const Rows& rows) {
    surface.SetDrawStyle(DrawStyle::Solid);
    for (const Row& row : rows) {
        if (!row.active) {
            continue;
        }
        const auto x = TextValue(row.x);
        const auto y = TextValue(row.y);
        float fx = 0;
        float fy = 0;
        if (!x || !y || !NarrowToFloat(*x, fx) || !NarrowToFloat(*y, fy)) {
            return false;
        }
        surface.Point(fx, fy, row.used ? kWhite : kRed);
    }
    surface.Refresh();
    return true;
}

bool DrawRegressionLine(DrawingSurface& surface, const Extremes& extremes,
                        const Statistics& stats) {
    const double a = double(stats[A]);
    const double b = double(stats[B]);
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    if (!NarrowToFloat(extremes.XMin, x1) || !NarrowToFloat(a * extremes.XMin + b, y1) ||
        !NarrowToFloat(extremes.XMax, x2) || !NarrowToFloat(a * extremes.XMax + b, y2)) {
        return false;
    }
    surface.Line(x1, y1, x2, y2, kCyan);
    surface.Refresh();
    return true;
}

} // namespace qb
