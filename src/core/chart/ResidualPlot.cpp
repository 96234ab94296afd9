#include "ResidualPlot.h"

#include "ChartDrawing.h"
#include "Quadro.h"
#include "RecordingSurface.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace qb {
namespace {

constexpr double kRingPoints = 5;
constexpr int kRingSegments = 16;

struct PlotPoint {
    float x;
    float residual;
    const ResidualRow* row;
};

std::optional<std::vector<PlotPoint>> PointsOf(const ResidualPlotArgs& args) {
    std::vector<PlotPoint> points;
    for (const ResidualRow& r : args.figures.rows) {
        const auto& x = args.rows[r.row].x.Number();
        const auto fx = x ? NarrowToFloat(x->value) : std::nullopt;
        const auto fe = NarrowToFloat(r.plotResidual);
        if (!fx || !fe) {
            return std::nullopt;
        }
        points.push_back({*fx, *fe, &r});
    }
    return points;
}

bool DrawFrame(DrawingSurface& surface, const ResidualPlotArgs& args,
               const std::vector<PlotPoint>& points) {
    const auto xMin = NarrowToFloat(args.extremes.XMin);
    const auto xMax = NarrowToFloat(args.extremes.XMax);
    if (!xMin || !xMax) {
        return false;
    }
    float low = 0;
    float high = 0;
    for (const PlotPoint& p : points) {
        low = std::min(low, p.residual);
        high = std::max(high, p.residual);
    }
    const auto format = QString::fromLatin1(kChartTickFormat);
    const QuadroResult frame = Quadro(surface, {.xMin = *xMin,
                                                .xMax = *xMax,
                                                .yMin = low,
                                                .yMax = high,
                                                .formatX = format,
                                                .formatY = format,
                                                .title = {},
                                                .labelX = QStringLiteral("Serie X"),
                                                .labelY = QStringLiteral("Residuo"),
                                                .decimalSeparator = args.decimalSeparator});
    if (frame != QuadroResult::Drawn) {
        return false;
    }
    surface.SetDrawStyle(DrawStyle::Solid);
    surface.Line(*xMin, 0, *xMax, 0, kCyan);
    return true;
}

void Ring(DrawingSurface& surface, double x, double y) {
    const double rx = surface.PointsToUserX(kRingPoints);
    const double ry = surface.PointsToUserY(kRingPoints);
    const auto at = [&](int i) {
        const double angle = 2 * std::numbers::pi * i / kRingSegments;
        return std::pair(x + rx * std::cos(angle), y + ry * std::sin(angle));
    };
    for (int i = 0; i < kRingSegments; ++i) {
        const auto [x1, y1] = at(i);
        const auto [x2, y2] = at(i + 1);
        surface.Line(x1, y1, x2, y2, kMarkRing);
    }
}

bool Marked(const ResidualRow& row) {
    return row.outlier || row.influential;
}

} // namespace

bool PlotResiduals(DrawingSurface& surface, const ResidualPlotArgs& args) {
    const auto points = PointsOf(args);
    if (!points || !DrawFrame(surface, args, *points)) {
        return false;
    }
    for (const PlotPoint& p : *points) {
        surface.Point(p.x, p.residual, p.row->excluded ? kRed : kWhite);
    }
    for (const PlotPoint& p : *points) {
        if (Marked(*p.row)) {
            Ring(surface, p.x, p.residual);
        }
    }
    surface.Refresh();
    return true;
}

QString ResidualPlotDescription(const RecordingSurface& plot,
                                const std::optional<ResidualFigures>& figures,
                                QChar decimalSeparator) {
    if (plot.Commands().empty() || !figures) {
        return QStringLiteral("Grafico vuoto");
    }
    QStringList marked;
    for (const ResidualRow& r : figures->rows) {
        if (Marked(r)) {
            marked
                << QStringLiteral("dato %1 (residuo %2, %3)")
                       .arg(r.row + 1)
                       .arg(QString(r.residual.value_or(QString())).replace(u'.', decimalSeparator),
                            ResidualStateText(r));
        }
    }
    const QString text =
        QStringLiteral("Residui rispetto a X di %1 punti; ").arg(figures->rows.size());
    return text + (marked.isEmpty()
                       ? QStringLiteral("nessun punto segnalato")
                       : QStringLiteral("punti segnalati: ") + marked.join(QStringLiteral(", ")));
}

} // namespace qb
