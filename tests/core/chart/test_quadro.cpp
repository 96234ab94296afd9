// The chart frame's steps, limits, grid, axes and labels, and the points and line drawn on it,
// on a recording surface whose text is 6 by 12 pixels a character, 4/3 pixels a point.
#include "chart/ChartDrawing.h"
#include "chart/Quadro.h"
#include "chart/RecordingSurface.h"
#include "core/numbers/CaseFile.h"

using namespace qb;
namespace {

using Line = RecordingSurface::LineCmd;
const RecordingSurface kBlank(
    {757, 481}, {140, 140, 140}, [](auto&, auto& t) { return QSizeF(6 * t.size(), 12); }, 4 / 3.0);

QuadroArgs Args(float xMin, float xMax, float yMin, float yMax, QChar sep = u'.') {
    return {xMin, xMax, yMin, yMax, "#######0.0", "#######0.0", {}, "Serie X", "Serie Y", sep};
}

// What Quadro leaves after a line: commands, solid lines (the axes), texts, dashed grid X and Y.
struct Frame {
    std::size_t commands = 0, solid = 0;
    QStringList texts{};
    std::vector<double> gridX{}, gridY{};
};
Frame Draw(const QuadroArgs& args, QuadroResult expected = QuadroResult::Drawn) {
    RecordingSurface s = kBlank;
    s.Line(0, 0, 1, 1, kBlue);
    EXPECT_EQ(Quadro(s, args), expected) << "X from " << args.xMin << " to " << args.xMax
                                         << ", Y from " << args.yMin << " to " << args.yMax;
    Frame f{.commands = s.Commands().size()};
    for (const auto& c : s.Commands()) {
        if (const auto* t = std::get_if<RecordingSurface::TextCmd>(&c)) {
            f.texts << t->text;
        } else if (const auto* l = std::get_if<Line>(&c); l && l->style == DrawStyle::Solid) {
            ++f.solid;
        } else if (l) {
            (l->x1 == l->x2 ? f.gridX : f.gridY).push_back(l->x1 == l->x2 ? l->x1 : l->y1);
        }
    }
    return f;
}

} // namespace

TEST(Quadro, SnapsTheLimitsOutwardToRoundSteps) {
    for (const Case& c : ReadCases(__FILE__, "quadro_grid.tsv")) {
        SCOPED_TRACE(c.where);
        const double step = c[2].toDouble(), first = c[3].toDouble();
        EXPECT_NEAR(GridStep(double(c[1].toFloat()) - double(c[0].toFloat())), step, step * 1e-9);
        const Frame f = Draw(Args(c[0].toFloat(), c[1].toFloat(), 1, 9));
        ASSERT_EQ(f.gridX.size(), std::size_t(std::lround((c[4].toDouble() - first) / step)) + 1);
        for (std::size_t i = 0; i < f.gridX.size(); ++i) {
            EXPECT_NEAR(f.gridX[i], first + double(i) * step, step * 1e-6);
        }
        EXPECT_EQ(f.solid, c[5].toUInt());
    }
}

// Negative ticks that round to zero keep the minus; the zero line, put off by rounding, is at 0.
TEST(Quadro, TickLabelsUseTheSeparatorAndTheSign) {
    const Frame f = Draw(Args(-0.003f, 0.003f, -0.3f, 0.3f, u','));
    EXPECT_EQ(f.texts.join(u' ').toStdString(),
              "-0,0 -0,0 -0,0 0,0 0,0 0,0 0,0 Serie X -0,3 -0,2 -0,1 0,0 0,1 0,2 0,3 Serie Y");
    EXPECT_EQ(std::pair(f.gridX.at(3), f.gridY.at(3)), std::pair(0.0, 0.0));
}

// A scale error is a result, for the window to tell; the earlier drawing stays.
TEST(Quadro, ScaleErrorsAndAbsurdRangesDrawNoFrame) {
    using enum QuadroResult;
    EXPECT_EQ(Draw(Args(3, 3, 0, 1), ScaleErrorX).commands, 1u);
    EXPECT_EQ(Draw(Args(4, 3, 0, 1), ScaleErrorX).commands, 1u);
    EXPECT_EQ(Draw(Args(0, 1, 2, 1), ScaleErrorY).commands, 1u);
    EXPECT_EQ(Draw(Args(-3e38f, 3e38f, 1e10f, 1e10f), Undrawable).commands, 1u);
}

// Rows 2 and 4 left out and one beyond the row count: each point named by its row once the line
// is drawn, the axes' ranges once the frame is.
TEST(ChartDescription, NamesTheRangesAndEachPoint) {
    DataSet rows{{{"1", "2", true, true},
                  {"2", "4.5", false, true},
                  {"3", "5", true, true},
                  {"4", "9", false, true},
                  {"5", "1", true, true},
                  {},
                  {},
                  {"100", "100"}}};
    Statistics stats;
    stats[Figure::A] = mpq_class(-5, 4);
    RecordingSurface s = kBlank;
    ASSERT_TRUE(PlotPoints(s, rows));
    EXPECT_EQ(ChartDescription(s, rows, stats, u'.'), "Grafico vuoto");
    ASSERT_TRUE(DrawRegressionLine(s, Extremes{1, 5, 1, 9}, stats));
    EXPECT_EQ(ChartDescription(s, rows, stats, u','),
              "Retta di regressione Y = -1,25000000·X + 0,00000000; 5 punti, 2 esclusi dal "
              "calcolo: dato 1 (1; 2), dato 2 (2; 4,5) escluso, dato 3 (3; 5), dato 4 (4; 9) "
              "escluso, dato 5 (5; 1)");
    rows[1].used = true;
    ASSERT_EQ(Quadro(s, Args(1.2f, 5, 1, 9)), QuadroResult::Drawn); // snapped to 1.0 and 5.0
    ASSERT_TRUE(PlotPoints(s, rows) && DrawRegressionLine(s, Extremes{1, 5, 1, 9}, stats));
    const QString said = ChartDescription(s, rows, stats, u'.');
    EXPECT_TRUE(said.startsWith("Asse X da 1.0 a 5.0, asse Y da 1.0 a 9.0. Retta") &&
                said.contains("; 5 punti, 1 escluso dal calcolo: "))
        << said.toStdString();
}
