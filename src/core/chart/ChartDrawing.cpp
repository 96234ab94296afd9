#include "ChartDrawing.h"

#include "RecordingSurface.h"
#include "numbers/NumberPattern.h"
#include "numbers/TextValue.h"

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
        const auto x = TextValue(row.x);
        const auto y = TextValue(row.y);
        const auto fx = x ? NarrowToFloat(*x) : std::nullopt;
        const auto fy = y ? NarrowToFloat(*y) : std::nullopt;
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

QString ChartDescription(const RecordingSurface& chart, const Statistics& stats,
                         QChar decimalSeparator) {
    int points = 0;
    int leftOut = 0;
    bool line = false;
    for (const auto& command : chart.Commands()) {
        if (const auto* point = std::get_if<RecordingSurface::PointCmd>(&command)) {
            ++points;
            leftOut += point->colour == kRed ? 1 : 0;
        } else if (const auto* drawn = std::get_if<RecordingSurface::LineCmd>(&command)) {
            line = line || drawn->colour == kCyan;
        }
    }
    if (!line) {
        return QStringLiteral("Grafico vuoto");
    }
    const QString b = FormatNumber(stats[Figure::B], kCoefficientPattern, decimalSeparator);
    const bool negative = b.startsWith(u'-');
    QString text = QStringLiteral("Retta di regressione Y = ") +
                   FormatNumber(stats[Figure::A], kCoefficientPattern, decimalSeparator) +
                   (negative ? QStringLiteral("·X - ") : QStringLiteral("·X + ")) +
                   (negative ? b.mid(1) : b) + QStringLiteral("; %1 punti").arg(points);
    if (leftOut > 0) {
        text += leftOut == 1 ? QStringLiteral(", 1 escluso dal calcolo")
                             : QStringLiteral(", %1 esclusi dal calcolo").arg(leftOut);
    }
    return text;
}

} // namespace qb
