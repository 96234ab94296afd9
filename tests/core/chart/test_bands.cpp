// The bands drawn over a frame, measured against the engine's exact intervals, on a recording
// surface whose text is 6 by 12 pixels a character.
#include "chart/ChartBands.h"
#include "chart/ChartDrawing.h"
#include "chart/Quadro.h"
#include "chart/RecordingSurface.h"
#include "core/numbers/CaseFile.h"
#include "engine/Engine.h"

#include <QRectF>

using namespace qb;
using Surface = RecordingSurface;

// Every piece inside the data area; each end off its edge as far from the line, on either side,
// as the exact interval at its X reaches; whole bands in all their segments; the legend above the
// area, clear of the frame's texts, and said.
TEST(Bands, LieInTheFrameAsWideAsTheExactIntervals) {
    for (const Case& c : ReadCases(__FILE__, "bands.tsv")) {
        SCOPED_TRACE(c.where);
        DataSet rows;
        for (int i = 0; const QString& pair : c[0].split(u' ')) {
            rows[i++] = {pair.section(u',', 0, 0), pair.section(u',', 1), true, true};
        }
        Statistics stats;
        Extremes e;
        const auto sums = ComputeStatistics(rows, stats, e).sums;
        const auto level = ConfidenceLevel(QStringList{"90", "95", "99"}.indexOf(c[1]));
        Surface s(
            {757, 481}, kChartBackground, [](auto&, auto& t) { return QSizeF(6 * t.size(), 12); },
            4 / 3.0);
        const QString f = kChartTickFormat;
        const float x0 = float(e.XMin), x1 = float(e.XMax), y0 = float(e.YMin);
        // The Y axis's caption stands at the top margin's left end.
        const QuadroArgs args{x0, x1, y0, float(e.YMax), f, f, {}, "Serie X", "Serie Y", u'.'};
        ASSERT_TRUE(Quadro(s, args) == QuadroResult::Drawn && PlotPoints(s, rows) &&
                    DrawRegressionLine(s, e, stats));
        const auto frame = s.Commands();
        const PlotArea a = *PlotAreaOf(s);
        const auto uncertainty = Uncertainty::Of(*sums, level);
        DrawBands(s, a, e, stats, *uncertainty, level);

        std::array<int, 2> pieces{}, cut{};
        QStringList legend;
        const double edge = 1e-9 * (a.yMax - a.yMin);
        std::optional<QRectF> strip;
        const double slope = stats[Figure::A].ToDouble(), intercept = stats[Figure::B].ToDouble();
        for (std::size_t i = frame.size(); i < s.Commands().size(); ++i) {
            const auto& command = s.Commands()[i];
            if (const auto* box = std::get_if<Surface::BoxCmd>(&command)) {
                strip = QRectF(QPointF(box->x1, box->y1), QPointF(box->x2, box->y2)).normalized();
            } else if (const auto* t = std::get_if<Surface::TextCmd>(&command)) {
                legend << t->text;
            } else if (const auto* l = std::get_if<Surface::LineCmd>(&command); !strip) {
                const int band = l->colour == kConfidenceBand ? 0 : 1;
                ++pieces[band];
                for (const auto& [x, y] : {std::pair(l->x1, l->y1), std::pair(l->x2, l->y2)}) {
                    ASSERT_TRUE(x >= a.xMin && x <= a.xMax && y >= a.yMin && y <= a.yMax);
                    if (y - a.yMin < edge || a.yMax - y < edge) {
                        ++cut[band];
                        continue;
                    }
                    const auto at = uncertainty->At(mpq_class(x));
                    const auto [low, high] = band == 0 ? std::pair(at.meanLow, at.meanHigh)
                                                       : std::pair(at.newLow, at.newHigh);
                    EXPECT_NEAR(std::abs(y - (slope * x + intercept)),
                                (high->toDouble() - low->toDouble()) / 2,
                                1e-5 + 1e-9 * std::abs(y));
                }
            }
        }
        EXPECT_EQ(legend.isEmpty() ? "-" : legend.join(u'|'), c[3]);
        EXPECT_EQ((cut[0] ? "cut" : QString::number(pieces[0])) + u' ' +
                      (cut[1] ? "cut" : QString::number(pieces[1])),
                  c[2]);
        for (const auto& command : frame) {
            const auto* t = std::get_if<Surface::TextCmd>(&command);
            const double w = s.ScaleWidth() / 757 * 6, h = s.ScaleHeight() / 481 * 12;
            EXPECT_FALSE(t && strip &&
                         QRectF(t->x, t->y, w * t->text.size(), h).normalized().intersects(*strip));
        }
        EXPECT_TRUE(!strip || (strip->top() > a.yMax && strip->left() > s.Left() &&
                               strip->bottom() <= s.Top() && strip->right() < s.Right()));
        EXPECT_EQ(ChartDescription(s, rows, stats, u'.')
                      .contains(", " + legend.join(" e ").toLower() + "; "),
                  !legend.isEmpty());
    }
}
