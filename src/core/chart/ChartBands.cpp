#include "ChartBands.h"

#include "Quadro.h"
#include "RecordingSurface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace qb {
namespace {

struct Segment {
    double x1, y1, x2, y2;
};

struct Band {
    Rgb colour;
    DrawStyle style;
    double BandHalfWidths::*halfWidth;
    QString name;
};

// The part of the segment inside the area (Liang and Barsky), its ends kept exactly where they
// are inside, so that the painter can join a curve's pieces.
std::optional<Segment> Clipped(const Segment& s, const PlotArea& area) {
    if (!std::isfinite(s.x1) || !std::isfinite(s.y1) || !std::isfinite(s.x2) ||
        !std::isfinite(s.y2)) {
        return std::nullopt;
    }
    const double dx = s.x2 - s.x1;
    const double dy = s.y2 - s.y1;
    double enter = 0;
    double leave = 1;
    // Each edge as p·t <= q for the points s + t·(dx, dy) inside it.
    const std::array<std::pair<double, double>, 4> edges = {{{-dx, s.x1 - area.xMin},
                                                             {dx, area.xMax - s.x1},
                                                             {-dy, s.y1 - area.yMin},
                                                             {dy, area.yMax - s.y1}}};
    for (const auto& [p, q] : edges) {
        if (p == 0) {
            if (q < 0) {
                return std::nullopt;
            }
        } else if (p < 0) {
            enter = std::max(enter, q / p);
        } else {
            leave = std::min(leave, q / p);
        }
    }
    if (enter > leave) {
        return std::nullopt;
    }
    Segment inside = s;
    if (enter > 0) {
        inside.x1 = s.x1 + enter * dx;
        inside.y1 = s.y1 + enter * dy;
    }
    if (leave < 1) {
        inside.x2 = s.x1 + leave * dx;
        inside.y2 = s.y1 + leave * dy;
    }
    return inside;
}

void Polyline(DrawingSurface& surface, const std::vector<double>& xs, const std::vector<double>& ys,
              const PlotArea& area, Rgb colour) {
    for (std::size_t i = 1; i < xs.size(); ++i) {
        if (const auto s = Clipped({xs[i - 1], ys[i - 1], xs[i], ys[i]}, area)) {
            surface.Line(s->x1, s->y1, s->x2, s->y2, colour);
        }
    }
}

void Legend(DrawingSurface& surface, const std::array<Band, 2>& bands) {
    surface.SetFont(kLabelFont);
    const double pad = surface.PointsToUserX(3);
    const double sample = surface.PointsToUserX(24);
    double width = pad;
    for (const Band& band : bands) {
        width += sample + pad + surface.TextWidth(band.name) + 2 * pad;
    }
    const double height = surface.TextHeight(bands[0].name);
    const double top = surface.ScaleTop(); // level with the Y axis's caption, above its arrowhead
    double x = surface.ScaleLeft() + surface.ScaleWidth() - surface.PointsToUserX(4) - width;
    surface.FilledBox(x, top, x + width, top + height, kPlotBackground);
    x += pad;
    for (const Band& band : bands) {
        surface.SetDrawStyle(band.style);
        surface.Line(x, top + height / 2, x + sample, top + height / 2, band.colour);
        surface.SetForeColour(band.colour);
        surface.SetCurrentPosition(x + sample + pad, top);
        surface.Print(band.name);
        x = surface.CurrentX() + 2 * pad;
    }
}

} // namespace

std::optional<PlotArea> PlotAreaOf(const RecordingSurface& chart) {
    for (const auto& command : chart.Commands()) {
        const auto* box = std::get_if<RecordingSurface::BoxCmd>(&command);
        if (box && box->colour == kPlotBackground) {
            return PlotArea{std::min(box->x1, box->x2), std::max(box->x1, box->x2),
                            std::min(box->y1, box->y2), std::max(box->y1, box->y2)};
        }
    }
    return std::nullopt;
}

void DrawBands(DrawingSurface& surface, const PlotArea& area, const Extremes& extremes,
               const Statistics& stats, const Uncertainty& uncertainty, ConfidenceLevel level) {
    std::vector<double> xs(kBandSegments + 1);
    for (int i = 0; i <= kBandSegments; ++i) {
        xs[i] = extremes.XMin + (extremes.XMax - extremes.XMin) * i / kBandSegments;
    }
    const std::vector<BandHalfWidths> widths = uncertainty.BandsAt(xs);
    if (widths.empty()) {
        return;
    }
    const QString levelText = LevelText(level);
    const std::array<Band, 2> bands = {{
        {kConfidenceBand, DrawStyle::LongDash, &BandHalfWidths::confidence,
         QStringLiteral("Banda di confidenza al ") + levelText},
        {kPredictionBand, DrawStyle::DashDot, &BandHalfWidths::prediction,
         QStringLiteral("Banda di previsione al ") + levelText},
    }};
    // The line as it is drawn, so that each band lies symmetric about it.
    const double a = stats[Figure::A].ToDouble();
    const double b = stats[Figure::B].ToDouble();
    for (const Band& band : bands) {
        surface.SetDrawStyle(band.style);
        for (const int side : {1, -1}) {
            std::vector<double> ys(xs.size());
            for (std::size_t i = 0; i < xs.size(); ++i) {
                ys[i] = a * xs[i] + b + side * (widths[i].*band.halfWidth);
            }
            Polyline(surface, xs, ys, area, band.colour);
        }
    }
    Legend(surface, bands);
    surface.Refresh();
}

} // namespace qb
