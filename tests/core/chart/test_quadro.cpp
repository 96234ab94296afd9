// The chart frame's steps, limits, grid, axes and labels, and the points and line drawn on it,
// on a recording surface whose text is 6 by 12 pixels a character.
#include "chart/ChartDrawing.h"
#include "chart/Quadro.h"
#include "chart/RecordingSurface.h"
#include "core/numbers/CaseFile.h"

namespace qb {
namespace {

using Surface = RecordingSurface;
using Line = Surface::LineCmd;

Surface MakeSurface() {
    const auto measure = [](const SurfaceFont&, const QString& t) {
        return QSizeF(6.0 * double(t.size()), 12);
    };
    return Surface(QSizeF(757, 481), Rgb{140, 140, 140}, measure, 96.0 / 72.0);
}

QuadroArgs Args(float xMin, float xMax, float yMin, float yMax) {
    const QString format = "#######0.0";
    return {xMin, xMax, yMin, yMax, format, format, {}, "Serie X", "Serie Y"};
}

template <typename Command> std::vector<Command> All(const Surface& s) {
    std::vector<Command> found;
    for (const auto& c : s.Commands()) {
        if (const auto* command = std::get_if<Command>(&c)) {
            found.push_back(*command);
        }
    }
    return found;
}
// The dashed grid lines' positions, vertical or horizontal; the solid lines are the axes.
std::vector<double> Grid(const Surface& s, bool vertical) {
    std::vector<double> at;
    for (const Line& l : All<Line>(s)) {
        if (l.style == DrawStyle::Dashed && (l.x1 == l.x2) == vertical) {
            at.push_back(vertical ? l.x1 : l.y1);
        }
    }
    return at;
}
std::vector<Line> Axes(const Surface& s) {
    std::vector<Line> lines = All<Line>(s);
    std::erase_if(lines, [](const Line& l) { return l.style != DrawStyle::Solid; });
    return lines;
}

TEST(Quadro, SnapsTheLimitsOutwardToRoundSteps) {
    for (const Case& c : ReadCases(__FILE__, "quadro_grid.tsv")) {
        SCOPED_TRACE(c.where);
        const double step = c[2].toDouble(), first = c[3].toDouble();
        EXPECT_NEAR(GridStep(double(c[1].toFloat()) - double(c[0].toFloat())), step, step * 1e-9);
        Surface s = MakeSurface();
        ASSERT_EQ(Quadro(s, Args(c[0].toFloat(), c[1].toFloat(), 1, 9)), QuadroResult::Drawn);
        const auto xs = Grid(s, true);
        ASSERT_EQ(xs.size(), std::size_t(std::lround((c[4].toDouble() - first) / step)) + 1);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            EXPECT_NEAR(xs[i], first + double(i) * step, step * 1e-6);
        }
        EXPECT_EQ(Axes(s).size(), c[5].toUInt());
    }
}

// Negative ticks that round to zero keep their sign; the line meant for zero, which the limits'
// and the steps' rounding put a little off, is drawn and labelled at zero.
TEST(Quadro, TickLabelsUseTheSeparatorAndTheSign) {
    Surface s = MakeSurface();
    QuadroArgs args = Args(-0.003f, 0.003f, -0.3f, 0.3f);
    args.decimalSeparator = u',';
    ASSERT_EQ(Quadro(s, args), QuadroResult::Drawn);
    QStringList texts;
    for (const auto& t : All<Surface::TextCmd>(s)) {
        texts << t.text;
    }
    EXPECT_EQ(texts.join(u' ').toStdString(),
              "-0,0 -0,0 -0,0 0,0 0,0 0,0 0,0 Serie X -0,3 -0,2 -0,1 0,0 0,1 0,2 0,3 Serie Y");
    EXPECT_EQ(Grid(s, true)[3], 0.0);
    EXPECT_EQ(Grid(s, false)[3], 0.0);
}

// A scale error is a result, for the window to tell; an earlier drawing stays.
TEST(Quadro, ScaleErrorsAndAbsurdRangesDrawNoFrame) {
    for (const auto& [args, result] :
         {std::pair(Args(3, 3, 0, 1), QuadroResult::ScaleErrorX),
          std::pair(Args(4, 3, 0, 1), QuadroResult::ScaleErrorX),
          std::pair(Args(0, 1, 2, 1), QuadroResult::ScaleErrorY),
          std::pair(Args(-3e38f, 3e38f, 1e10f, 1e10f), QuadroResult::Undrawable)}) {
        Surface s = MakeSurface();
        s.Line(0, 0, 1, 1, kBlue);
        EXPECT_EQ(Quadro(s, args), result);
        EXPECT_EQ(s.Commands().size(), 1u);
    }
}

// Rows 2 and 4 left out, one beyond the row count.
DataSet FiveRows() {
    DataSet rows;
    const char* y[] = {"2", "4", "5", "9", "1"};
    for (int i = 0; i < 5; ++i) {
        rows[i] = DataRow{QString::number(i + 1), y[i], i != 1 && i != 3, true};
    }
    rows[7] = DataRow{"100", "100", false, false};
    return rows;
}

// The points left out are counted apart, once the line is drawn.
TEST(ChartDescription, CountsThePointsLeftOut) {
    Statistics stats;
    stats[Figure::A] = mpq_class(-5, 4);
    Surface s = MakeSurface();
    ASSERT_TRUE(PlotPoints(s, FiveRows()));
    EXPECT_EQ(ChartDescription(s, stats, u'.'), "Grafico vuoto");
    ASSERT_TRUE(DrawRegressionLine(s, Extremes{1, 5, 1, 9}, stats));
    EXPECT_EQ(std::get<Line>(s.Commands().back()).y2, -6.25f);
    EXPECT_EQ(
        ChartDescription(s, stats, u','),
        "Retta di regressione Y = -1,25000000·X + 0,00000000; 5 punti, 2 esclusi dal calcolo");
    DataSet oneLeftOut = FiveRows();
    oneLeftOut[1].used = true;
    s.Clear();
    ASSERT_TRUE(PlotPoints(s, oneLeftOut) && DrawRegressionLine(s, Extremes{1, 5, 1, 9}, stats));
    EXPECT_TRUE(ChartDescription(s, stats, u'.').endsWith("; 5 punti, 1 escluso dal calcolo"));
}

} // namespace
} // namespace qb
