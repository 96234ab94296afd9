// The chart frame's steps, limits, grid, axes and labels, and the points and line drawn on it,
// on a recording surface whose text is 6 by 12 pixels a character.
#include "chart/ChartDrawing.h"
#include "chart/Quadro.h"
#include "chart/RecordingSurface.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace qb {
namespace {

using Surface = RecordingSurface;

Surface MakeSurface() {
    const auto measure = [](const SurfaceFont&, const QString& t) {
        return QSizeF(6.0 * double(t.size()), 12);
    };
    return Surface(QSizeF(757, 481), Rgb{140, 140, 140}, measure, 96.0 / 72.0);
}

QuadroArgs Args(float xMin, float xMax, float yMin, float yMax, bool captions = true) {
    const auto format = QStringLiteral("#######0.0");
    return {xMin,
            xMax,
            yMin,
            yMax,
            format,
            format,
            {},
            captions ? "Serie X" : "",
            captions ? "Serie Y" : ""};
}

// The dashed grid lines, vertical or horizontal, by position; and the solid axis lines.
std::vector<double> Grid(const Surface& s, bool vertical) {
    std::vector<double> at;
    for (const auto& c : s.Commands()) {
        const auto* l = std::get_if<Surface::LineCmd>(&c);
        if (l && l->style == DrawStyle::Dashed && (l->x1 == l->x2) == vertical) {
            at.push_back(vertical ? l->x1 : l->y1);
        }
    }
    return at;
}
std::vector<Surface::LineCmd> Axes(const Surface& s) {
    std::vector<Surface::LineCmd> solid;
    for (const auto& c : s.Commands()) {
        if (const auto* l = std::get_if<Surface::LineCmd>(&c); l && l->style == DrawStyle::Solid) {
            solid.push_back(*l);
        }
    }
    return solid;
}
QStringList Texts(const Surface& s) {
    QStringList texts;
    for (const auto& c : s.Commands()) {
        if (const auto* t = std::get_if<Surface::TextCmd>(&c)) {
            texts << t->text;
        }
    }
    return texts;
}

TEST(Quadro, SnapsTheLimitsOutwardToRoundSteps) {
    struct Case {
        float xMin, xMax;
        double step, first, last;
        bool yAxis; // Y from 1 to 9 never holds the X axis
    };
    for (const Case& c : {Case{0, 10, 1, 0, 10, true}, Case{3, 97, 10, 0, 100, true},
                          Case{1, 2.2f, 0.2, 1, 2.2, false}, Case{12, 48, 5, 10, 50, false},
                          Case{0, 0.3f, 0.05, 0, 0.3, true}, Case{0, 1.1f, 0.2, 0, 1.2, true},
                          Case{0, 2.2f, 0.25, 0, 2.25, true}, Case{-7, 13, 2, -8, 14, true}}) {
        SCOPED_TRACE(c.xMax);
        EXPECT_NEAR(GridStep(double(c.xMax) - double(c.xMin)), c.step, c.step * 1e-9);
        Surface s = MakeSurface();
        ASSERT_EQ(Quadro(s, Args(c.xMin, c.xMax, 1, 9)), QuadroResult::Drawn);
        const auto xs = Grid(s, true);
        ASSERT_EQ(xs.size(), std::size_t(std::lround((c.last - c.first) / c.step)) + 1);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            EXPECT_NEAR(xs[i], c.first + double(i) * c.step, c.step * 1e-6);
        }
        EXPECT_EQ(Axes(s).size(), c.yAxis ? 3u : 0u); // the axis and its arrowhead
    }
}

TEST(Quadro, WidensEqualYLimitsAndDrawsTheXAxisWhereZeroLies) {
    Surface flat = MakeSurface();
    ASSERT_EQ(Quadro(flat, Args(1, 9, 1.5f, 1.5f)), QuadroResult::Drawn);
    const auto ys = Grid(flat, false);
    ASSERT_EQ(ys.size(), 11u);
    EXPECT_NEAR(ys.front(), 1.49995, 1e-6);
    EXPECT_NEAR(ys.back(), 1.50005, 1e-6);
    Surface crossing = MakeSurface();
    ASSERT_EQ(Quadro(crossing, Args(1, 9, -4, 6)), QuadroResult::Drawn);
    ASSERT_EQ(Axes(crossing).size(), 3u);
    EXPECT_EQ(Axes(crossing)[0].y1, 0);
    EXPECT_EQ(Axes(crossing)[0].y2, 0);
}

// Negative ticks that round to zero keep their sign; the line meant for zero, which the limits'
// and the steps' rounding put a little off, is drawn and labelled at zero.
TEST(Quadro, TickLabelsUseTheSeparatorAndTheSign) {
    Surface s = MakeSurface();
    QuadroArgs args = Args(-0.003f, 0.003f, -0.3f, 0.3f, false);
    args.decimalSeparator = u',';
    ASSERT_EQ(Quadro(s, args), QuadroResult::Drawn);
    EXPECT_EQ(Texts(s).join(u' ').toStdString(),
              "-0,0 -0,0 -0,0 0,0 0,0 0,0 0,0 -0,3 -0,2 -0,1 0,0 0,1 0,2 0,3");
    EXPECT_EQ(Grid(s, true)[3], 0.0);
    EXPECT_EQ(Grid(s, false)[3], 0.0);
}

TEST(Quadro, ScaleErrorsAndAbsurdRangesDrawNoFrame) {
    struct Case {
        QuadroArgs args;
        QuadroResult result;
    };
    for (const Case& c : {Case{Args(3, 3, 0, 1), QuadroResult::ScaleErrorX},
                          Case{Args(4, 3, 0, 1), QuadroResult::ScaleErrorX},
                          Case{Args(0, 1, 2, 1), QuadroResult::ScaleErrorY},
                          Case{Args(-3e38f, 3e38f, 1e10f, 1e10f), QuadroResult::Undrawable}}) {
        Surface s = MakeSurface();
        s.Line(0, 0, 1, 1, kBlue); // an earlier drawing stays
        EXPECT_EQ(Quadro(s, c.args), c.result);
        EXPECT_TRUE(Grid(s, false).empty());
    }
}

DataSet FiveRowsTwoLeftOut() {
    DataSet rows;
    const char* texts[][2] = {{"1", "2"}, {"2", "4"}, {"3", "5"}, {"4", "9"}, {"5", "1"}};
    for (int i = 0; i < 5; ++i) {
        rows[i] = DataRow{texts[i][0], texts[i][1], i != 1 && i != 3, true};
    }
    rows[7] = DataRow{"100", "100", false, false}; // beyond the row count
    return rows;
}

TEST(PlotPoints, WhiteWhenUsedRedWhenLeftOutAndNothingBeyondTheFloatRange) {
    Surface s = MakeSurface();
    ASSERT_TRUE(PlotPoints(s, FiveRowsTwoLeftOut()));
    ASSERT_EQ(s.Commands().size(), 5u);
    const Rgb colours[] = {kWhite, kRed, kWhite, kRed, kWhite};
    for (int i = 0; i < 5; ++i) {
        const auto& point = std::get<Surface::PointCmd>(s.Commands()[i]);
        EXPECT_EQ(point.colour, colours[i]);
        EXPECT_EQ(point.x, i + 1);
    }
    DataSet beyond = FiveRowsTwoLeftOut();
    beyond[4].y = QStringLiteral("1e39");
    EXPECT_FALSE(PlotPoints(s, beyond));
}

// The points left out are counted apart, once the line is drawn.
TEST(ChartDescription, CountsThePointsLeftOut) {
    Statistics stats;
    stats[Figure::A] = mpq_class(-5, 4);
    Surface s = MakeSurface();
    ASSERT_TRUE(PlotPoints(s, FiveRowsTwoLeftOut()));
    EXPECT_EQ(ChartDescription(s, stats, u'.'), "Grafico vuoto");
    ASSERT_TRUE(DrawRegressionLine(s, Extremes{1, 5, 1, 9}, stats));
    EXPECT_EQ(std::get<Surface::LineCmd>(s.Commands().back()).y2, -6.25f);
    EXPECT_EQ(
        ChartDescription(s, stats, u','),
        "Retta di regressione Y = -1,25000000·X + 0,00000000; 5 punti, 2 esclusi dal calcolo");
    DataSet oneLeftOut = FiveRowsTwoLeftOut();
    oneLeftOut[1].used = true;
    s.Clear();
    ASSERT_TRUE(PlotPoints(s, oneLeftOut) && DrawRegressionLine(s, Extremes{1, 5, 1, 9}, stats));
    EXPECT_TRUE(ChartDescription(s, stats, u'.').endsWith("; 5 punti, 1 escluso dal calcolo"));
}

} // namespace
} // namespace qb
