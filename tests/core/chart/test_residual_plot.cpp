// The residual plot on a recording surface: each row in use at its X and residual, in its colour,
// the zero line across the data, zero inside the grid, and a ring centred on each marked point.
#include "chart/RecordingSurface.h"
#include "chart/ResidualPlot.h"
#include "core/numbers/CaseFile.h"
#include "engine/Engine.h"

#include <map>

using namespace qb;
namespace {

using Line = RecordingSurface::LineCmd;

// Rows "x y", "!" before one left out | points "x:residual:W|R" | ring centres | Y grid span.
const std::vector<QStringList> kCases = {
    {"1 2;2 4;3 6;4 8;5 30;6 12;7 14;8 16;!9 50",
     "1:-1.67:W 2:-1.90:W 3:-2.14:W 4:-2.38:W 5:17.38:W 6:-2.86:W 7:-3.10:W 8:-3.33:W 9:28.43:R",
     "5.00:17.38 9.00:28.43", "-5:30"},
    {"1 1.1;2 1.9;3 3.2;4 3.9;5 5.1;20 14",
     "1:-0.58:W 2:-0.44:W 3:0.20:W 4:0.24:W 5:0.78:W 20:-0.20:W", "20.00:-0.20", "-0.6:0.8"},
    {"1 1;2 2;3 3;!4 10", "1:0.00:W 2:0.00:W 3:0.00:W 4:6.00:R", "", "0:6"},
};

DataSet Rows(const QString& text) {
    DataSet rows;
    const QStringList lines = text.split(u';');
    for (int i = 0; i < lines.size(); ++i) {
        rows[i] = {.x = Entry(lines[i].section(u' ', 0, 0).remove(u'!')),
                   .y = Entry(lines[i].section(u' ', 1)),
                   .used = !lines[i].startsWith(u'!'),
                   .active = true};
    }
    return rows;
}

} // namespace

TEST(ResidualPlot, DrawsEachRowInUseAgainstItsX) {
    for (const QStringList& c : kCases) {
        SCOPED_TRACE(c[0].toStdString());
        const DataSet rows = Rows(c[0]);
        Statistics stats;
        Extremes extremes;
        ASSERT_TRUE(ComputeStatistics(rows, stats, extremes).ok);
        const auto figures = ResidualsOf(rows);
        ASSERT_TRUE(figures);
        RecordingSurface s(
            {757, 184}, kChartBackground, [](auto&, auto& t) { return QSizeF(6 * t.size(), 12); },
            4 / 3.0);
        ASSERT_TRUE(PlotResiduals(s, {rows, *figures, extremes}));
        QStringList points;
        std::map<int, std::pair<double, double>> ringSums; // by the ring's first segment
        double gridLow = 1e300, gridHigh = -1e300;
        bool zeroLine = false;
        int ringLines = 0;
        for (const auto& command : s.Commands()) {
            if (const auto* p = std::get_if<RecordingSurface::PointCmd>(&command)) {
                const QChar colour = p->colour == kRed ? u'R' : p->colour == kWhite ? u'W' : u'?';
                points << QString("%1:%2:").arg(p->x).arg(p->y, 0, 'f', 2) + colour;
            } else if (const auto* l = std::get_if<Line>(&command)) {
                if (l->style == DrawStyle::Dashed && l->x1 == l->x2) {
                    gridLow = std::min({gridLow, l->y1, l->y2});
                    gridHigh = std::max({gridHigh, l->y1, l->y2});
                }
                zeroLine = zeroLine || (l->colour == kCyan && l->y1 == 0 && l->y2 == 0 &&
                                        l->x1 == extremes.XMin && l->x2 == extremes.XMax);
                if (l->colour == kMarkRing) {
                    auto& [x, y] = ringSums[ringLines++ / 16];
                    x += l->x1 / 16;
                    y += l->y1 / 16;
                }
            }
        }
        QStringList ringed;
        for (const auto& [ring, centre] : ringSums) {
            ringed << QString("%1:%2").arg(centre.first, 0, 'f', 2).arg(centre.second, 0, 'f', 2);
        }
        EXPECT_EQ(points.join(u' '), c[1]);
        EXPECT_EQ(ringed.join(u' '), c[2]);
        EXPECT_EQ(QString("%1:%2").arg(gridLow).arg(gridHigh), c[3]);
        EXPECT_TRUE(zeroLine);
    }
}
