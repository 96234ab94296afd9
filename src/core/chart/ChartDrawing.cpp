#include "ChartDrawing.h"

#include "ChartBands.h"
#include "RecordingSurface.h"
#include "numbers/NumberPattern.h"

#include <QRectF>
#include <QStringList>
#include <algorithm>
#include <cfloat>
#include <cmath>

namespace qb {

std::optional<float> NarrowToFloat(double value) {
    if (!std::isfinite(value) || std::abs(value) > double(FLT_MAX)) {
        return std::nullopt;
    }
    return float(value);
}

bool PlotPoints(DrawingSurface& surface, const DataSet& rows) {
    surface.SetDrawStyle(DrawStyle::Solid);
    for (const DataRow& row : rows) {
        if (!row.active) {
            continue;
        }
        const auto& x = row.x.Number();
        const auto& y = row.y.Number();
        const auto fx = x ? NarrowToFloat(x->value) : std::nullopt;
        const auto fy = y ? NarrowToFloat(y->value) : std::nullopt;
        if (!fx || !fy) {
            return false;
        }
        surface.Point(*fx, *fy, row.used ? kWhite : kRed);
    }
    surface.Refresh();
    return true;
}

bool DrawRegressionLine(DrawingSurface& surface, const Extremes& extremes,
                        const Statistics& stats) {
    const double a = stats[Figure::A].ToDouble();
    const double b = stats[Figure::B].ToDouble();
    const auto x1 = NarrowToFloat(extremes.XMin);
    const auto y1 = NarrowToFloat(a * extremes.XMin + b);
    const auto x2 = NarrowToFloat(extremes.XMax);
    const auto y2 = NarrowToFloat(a * extremes.XMax + b);
    if (!x1 || !y1 || !x2 || !y2) {
        return false;
    }
    surface.Line(*x1, *y1, *x2, *y2, kCyan);
    surface.Refresh();
    return true;
}

namespace {

struct DrawnChart {
    bool line = false;
    std::optional<QRectF> grid; // x from left to right, y from top (least) to bottom (greatest)
    QStringList bands;          // the legend's entries
};

// The frame's dashed grid spans the axes' ranges exactly, whatever its colour; the bands' legend
// is written in their colours.
DrawnChart ReadChart(const RecordingSurface& chart) {
    DrawnChart drawn;
    for (const auto& command : chart.Commands()) {
        const auto* t = std::get_if<RecordingSurface::TextCmd>(&command);
        if (t && (t->colour == kConfidenceBand || t->colour == kPredictionBand)) {
            drawn.bands << t->text.at(0).toLower() + t->text.mid(1);
        }
        const auto* l = std::get_if<RecordingSurface::LineCmd>(&command);
        if (!l) {
            continue;
        }
        if (l->style != DrawStyle::Dashed) {
            drawn.line = drawn.line || l->colour == kCyan;
            continue;
        }
        QRectF& g = drawn.grid ? *drawn.grid : drawn.grid.emplace(l->x1, l->y1, 0, 0);
        g.setCoords(std::min({g.left(), l->x1, l->x2}), std::min({g.top(), l->y1, l->y2}),
                    std::max({g.right(), l->x1, l->x2}), std::max({g.bottom(), l->y1, l->y2}));
    }
    return drawn;
}

QString PointsText(const DataSet& rows, QChar decimalSeparator) {
    QStringList points;
    for (int i = 0; i < kRowCapacity; ++i) {
        const DataRow& row = rows[i];
        if (row.active) {
            points << QStringLiteral("dato %1 (%2; %3)%4")
                          .arg(i + 1)
                          .arg(QString(row.x).replace(u'.', decimalSeparator),
                               QString(row.y).replace(u'.', decimalSeparator),
                               row.used ? QString() : QStringLiteral(" escluso"));
        }
    }
    return points.join(QStringLiteral(", "));
}

} // namespace

QString ChartDescription(const RecordingSurface& chart, const DataSet& rows,
                         const Statistics& stats, QChar decimalSeparator) {
    const DrawnChart drawn = ReadChart(chart);
    if (!drawn.line) {
        return QStringLiteral("Grafico vuoto");
    }
    QString text;
    if (const auto& grid = drawn.grid) {
        static const NumberPattern kTickPattern = NumberPattern::FromText(kChartTickFormat);
        const auto tick = [&](double v) { return FormatNumber(v, kTickPattern, decimalSeparator); };
        text = QStringLiteral("Asse X da %1 a %2, asse Y da %3 a %4. ")
                   .arg(tick(grid->left()), tick(grid->right()), tick(grid->top()),
                        tick(grid->bottom()));
    }
    int points = 0;
    int leftOut = 0;
    for (const DataRow& row : rows) {
        points += row.active ? 1 : 0;
        leftOut += row.active && !row.used ? 1 : 0;
    }
    const QString b = FormatNumber(stats[Figure::B], kCoefficientPattern, decimalSeparator);
    const bool negative = b.startsWith(u'-');
    text += QStringLiteral("Retta di regressione Y = ") +
            FormatNumber(stats[Figure::A], kCoefficientPattern, decimalSeparator) +
            (negative ? QStringLiteral("·X - ") : QStringLiteral("·X + ")) +
            (negative ? b.mid(1) : b);
    if (!drawn.bands.isEmpty()) {
        text += QStringLiteral(", ") + drawn.bands.join(QStringLiteral(" e "));
    }
    text += QStringLiteral("; %1 punti").arg(points);
    if (leftOut > 0) {
        text += leftOut == 1 ? QStringLiteral(", 1 escluso dal calcolo")
                             : QStringLiteral(", %1 esclusi dal calcolo").arg(leftOut);
    }
    return text + QStringLiteral(": ") + PointsText(rows, decimalSeparator);
}

} // namespace qb
