// The chart frame's steps, limits, grid, axes and margins, and the plotting of points and line,
// drawn on a recording surface whose text is 6 by 12 pixels a character.
#include "chart/ChartDrawing.h"
#include "chart/Quadro.h"
#include "chart/RecordingSurface.h"
#include "support/ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qb;

namespace {

using Surface = RecordingSurface;

Surface MakeSurface() {
    return Surface(
        QSizeF(757, 481), Rgb{140, 140, 140},
        [](const SurfaceFont&, const QString& text) {
            return QSizeF(6.0 * double(text.size()), 12);
        },
        96.0 / 72.0);
}

QuadroArgs Args(float xMin, float xMax, float yMin, float yMax, bool captions = true) {
    QuadroArgs a;
    a.xMin = xMin;
    a.xMax = xMax;
    a.yMin = yMin;
    a.yMax = yMax;
    a.formatX = a.formatY = QStringLiteral("#######0.0");
    if (captions) {
        a.labelX = QStringLiteral("Serie X");
        a.labelY = QStringLiteral("Serie Y");
    }
    return a;
}

std::vector<Surface::LineCmd> Lines(const Surface& s, DrawStyle style) {
    std::vector<Surface::LineCmd> lines;
    for (const auto& c : s.Commands()) {
        if (const auto* l = std::get_if<Surface::LineCmd>(&c); l && l->style == style) {
            lines.push_back(*l);
        }
    }
    return lines;
}

std::vector<double> VerticalGrid(const Surface& s) {
    std::vector<double> xs;
    for (const auto& l : Lines(s, DrawStyle::Dashed)) {
        if (l.x1 == l.x2) {
            xs.push_back(l.x1);
        }
    }
    return xs;
}

std::vector<double> HorizontalGrid(const Surface& s) {
    std::vector<double> ys;
    for (const auto& l : Lines(s, DrawStyle::Dashed)) {
        if (l.y1 == l.y2) {
            ys.push_back(l.y1);
        }
    }
    return ys;
}

bool HasYAxis(const Surface& s) {
    for (const auto& l : Lines(s, DrawStyle::Solid)) {
        if (l.x1 == 0 && l.x2 == 0) {
            return true;
        }
    }
    return false;
}

bool HasXAxis(const Surface& s) {
    for (const auto& l : Lines(s, DrawStyle::Solid)) {
        if (l.y1 == 0 && l.y2 == 0) {
            return true;
        }
    }
    return false;
}

struct GridCase {
    const char* name;
    float xMin, xMax;
    double step, first, last;
    bool yAxis;
};

class QuadroGrid : public testing::TestWithParam<GridCase> {};

} // namespace

TEST_P(QuadroGrid, StepLimitsAndAxis) {
    const GridCase& c = GetParam();
    EXPECT_NEAR(GridStep(double(c.xMax) - double(c.xMin)), c.step, c.step * 1e-9);
    Surface s = MakeSurface();
    ScriptedMessageBox messages;
    QuadroOutputs out;
    ASSERT_TRUE(Quadro(s, Args(c.xMin, c.xMax, 1, 9), out, messages));
    const auto xs = VerticalGrid(s);
    ASSERT_FALSE(xs.empty());
    EXPECT_NEAR(xs.front(), c.first, 1e-6);
    EXPECT_NEAR(xs.back(), c.last, 1e-6);
    EXPECT_EQ(xs.size(), std::size_t(std::lround((c.last - c.first) / c.step)) + 1);
    for (std::size_t i = 1; i < xs.size(); ++i) {
        EXPECT_NEAR(xs[i] - xs[i - 1], c.step, c.step * 1e-6);
    }
    EXPECT_EQ(HasYAxis(s), c.yAxis);
    EXPECT_FALSE(HasXAxis(s)); // Y from 1 to 9 never holds zero
    EXPECT_TRUE(messages.requests.isEmpty());
    EXPECT_TRUE(s.PersistentRedraw());
}

INSTANTIATE_TEST_SUITE_P(Ranges, QuadroGrid,
                         testing::Values(GridCase{"ZeroToTen", 0, 10, 1, 0, 10, true},
                                         GridCase{"ThreeTo97", 3, 97, 10, 0, 100, true},
                                         GridCase{"OneTo2_2", 1, 2.2f, 0.2, 1, 2.2, false},
                                         GridCase{"TwelveTo48", 12, 48, 5, 10, 50, false},
                                         GridCase{"ZeroTo0_3", 0, 0.3f, 0.05, 0, 0.3, true},
                                         GridCase{"ZeroTo1_1", 0, 1.1f, 0.2, 0, 1.2, true},
                                         GridCase{"ZeroTo2_2", 0, 2.2f, 0.25, 0, 2.25, true},
                                         GridCase{"MinusSevenTo13", -7, 13, 2, -8, 14, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Quadro, EqualYLimitsAreWidenedToTenIntervals) {
    Surface s = MakeSurface();
    ScriptedMessageBox messages;
    QuadroOutputs out;
    ASSERT_TRUE(Quadro(s, Args(0, 10, 1.5f, 1.5f), out, messages));
    const auto ys = HorizontalGrid(s);
    ASSERT_EQ(ys.size(), 11u);
    EXPECT_NEAR(ys.front(), 1.49995, 1e-6);
    EXPECT_NEAR(ys.back(), 1.50005, 1e-6);
    EXPECT_TRUE(messages.requests.isEmpty());
}

TEST(Quadro, XAxisWhereZeroLiesInTheYRange) {
    Surface s = MakeSurface();
    ScriptedMessageBox messages;
    QuadroOutputs out;
    ASSERT_TRUE(Quadro(s, Args(1, 9, -4, 6), out, messages));
    EXPECT_TRUE(HasXAxis(s));
    EXPECT_FALSE(HasYAxis(s));
    // The arrowheads: two solid lines from the tip besides the axis itself.
    EXPECT_EQ(Lines(s, DrawStyle::Solid).size(), 3u);
    EXPECT_GT(out.pixelWidth, 0);
    EXPECT_GT(out.pixelHeight, 0);
}

TEST(Quadro, MarginsFollowTheCaptions) {
    ScriptedMessageBox messages;
    QuadroOutputs out;
    Surface with = MakeSurface();
    ASSERT_TRUE(Quadro(with, Args(0, 10, 0, 10, true), out, messages));
    Surface without = MakeSurface();
    ASSERT_TRUE(Quadro(without, Args(0, 10, 0, 10, false), out, messages));
    EXPECT_NEAR(with.Right(), 11, 1e-9);      // a tenth of the span for the caption
    EXPECT_NEAR(without.Right(), 10.5, 1e-9); // a twentieth without
    EXPECT_GT(with.Top(), with.Bottom());     // Y grows upward
    const auto captions = [](const Surface& s) {
        int n = 0;
        for (const auto& c : s.Commands()) {
            const auto* t = std::get_if<Surface::TextCmd>(&c);
            n += t && t->text.startsWith(QStringLiteral("Serie")) ? 1 : 0;
        }
        return n;
    };
    EXPECT_EQ(captions(with), 2);
    EXPECT_EQ(captions(without), 0);
}

// Negative ticks that round to zero keep their sign; the line meant for zero, which the limits'
// and the steps' rounding put a little off, is drawn and labelled at zero.
TEST(Quadro, TickLabelsUseTheSeparatorAndTheSign) {
    Surface s = MakeSurface();
    ScriptedMessageBox messages;
    QuadroOutputs out;
    QuadroArgs args = Args(-0.003f, 0.003f, -0.3f, 0.3f, false);
    args.decimalSeparator = u',';
    ASSERT_TRUE(Quadro(s, args, out, messages));
    QStringList labels;
    for (const auto& c : s.Commands()) {
        if (const auto* t = std::get_if<Surface::TextCmd>(&c)) {
            labels << t->text;
        }
    }
    EXPECT_EQ(labels.join(u' ').toStdString(),
              "-0,0 -0,0 -0,0 0,0 0,0 0,0 0,0 -0,3 -0,2 -0,1 0,0 0,1 0,2 0,3");
    EXPECT_EQ(VerticalGrid(s)[3], 0.0);
    EXPECT_EQ(HorizontalGrid(s)[3], 0.0);
}

TEST(Quadro, ScaleErrorsAreShownAndDrawNothing) {
    struct Case {
        QuadroArgs args;
        const char* message;
    };
    for (const Case& c : {Case{Args(3, 3, 0, 1), "Errore di scala X."},
                          Case{Args(4, 3, 0, 1), "Errore di scala X."},
                          Case{Args(0, 1, 2, 1), "Errore di scala Y."}}) {
        Surface s = MakeSurface();
        s.Line(0, 0, 1, 1, kBlue); // an earlier drawing stays
        ScriptedMessageBox messages;
        QuadroOutputs out;
        EXPECT_FALSE(Quadro(s, c.args, out, messages));
        ASSERT_EQ(messages.requests.size(), 1);
        EXPECT_EQ(messages.requests[0].text, QString::fromLatin1(c.message));
        EXPECT_EQ(messages.requests[0].title, QStringLiteral("Quadro"));
        EXPECT_EQ(messages.requests[0].style, kScaleErrorStyle);
        EXPECT_EQ(s.Commands().size(), 1u);
    }
}

TEST(Quadro, AbsurdRangesFailWithoutHanging) {
    Surface s = MakeSurface();
    ScriptedMessageBox messages;
    QuadroOutputs out;
    EXPECT_FALSE(Quadro(s, Args(-3e38f, 3e38f, 1e10f, 1e10f), out, messages));
    EXPECT_TRUE(messages.requests.isEmpty());
}

namespace {

DataSet FiveActiveRowsTwoLeftOut() {
    DataSet rows;
    const char* texts[][2] = {{"1", "2"}, {"2", "4"}, {"3", "5"}, {"4", "9"}, {"5", "1"}};
    for (int i = 0; i < 5; ++i) {
        rows[i] = DataRow{texts[i][0], texts[i][1], i != 1 && i != 3, true};
    }
    rows[7] = DataRow{"100", "100", false, false}; // beyond the row count
    return rows;
}

} // namespace

TEST(PlotPoints, WhiteWhenUsedRedWhenLeftOut) {
    Surface s = MakeSurface();
    ASSERT_TRUE(PlotPoints(s, FiveActiveRowsTwoLeftOut()));
    std::vector<Surface::PointCmd> points;
    for (const auto& c : s.Commands()) {
        if (const auto* p = std::get_if<Surface::PointCmd>(&c)) {
            points.push_back(*p);
        }
    }
    ASSERT_EQ(points.size(), 5u);
    const Rgb expected[] = {kWhite, kRed, kWhite, kRed, kWhite};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(points[i].colour, expected[i]) << i;
        EXPECT_EQ(points[i].x, i + 1);
    }
    EXPECT_EQ(points[3].y, 9);
}

TEST(PlotPoints, FailsOnAValueBeyondTheDrawableRange) {
    DataSet rows = FiveActiveRowsTwoLeftOut();
    rows[4].y = QStringLiteral("1e39");
    Surface s = MakeSurface();
    EXPECT_FALSE(PlotPoints(s, rows));
}

TEST(DrawRegressionLine, RunsOverTheDataRange) {
    Statistics stats;
    stats[Figure::A] = mpq_class(2);
    stats[Figure::B] = mpq_class(1);
    Surface s = MakeSurface();
    ASSERT_TRUE(DrawRegressionLine(s, Extremes{1, 5, 0, 0}, stats));
    ASSERT_EQ(s.Commands().size(), 1u);
    const auto& line = std::get<Surface::LineCmd>(s.Commands()[0]);
    EXPECT_EQ(line.colour, kCyan);
    EXPECT_EQ(line.x1, 1);
    EXPECT_EQ(line.y1, 3);
    EXPECT_EQ(line.x2, 5);
    EXPECT_EQ(line.y2, 11);

    stats[Figure::A] = mpq_class(0); // a flat line at b
    Surface flat = MakeSurface();
    ASSERT_TRUE(DrawRegressionLine(flat, Extremes{1, 5, 0, 0}, stats));
    const auto& horizontal = std::get<Surface::LineCmd>(flat.Commands()[0]);
    EXPECT_EQ(horizontal.y1, 1);
    EXPECT_EQ(horizontal.y2, 1);
}

TEST(ChartDescription, TellsTheLineAndThePointsOnlyOnceTheLineIsDrawn) {
    struct Case {
        double a, b;
        QChar separator;
        int leftOut; // of the five rows, the last ones first
        const char* expected;
    };
    for (const Case& c :
         {Case{2, -1, u',', 2, "Y = 2,00000000·X - 1,00000000; 5 punti, 2 esclusi dal calcolo"},
          Case{0.5, 3, u'.', 1, "Y = 0.50000000·X + 3.00000000; 5 punti, 1 escluso dal calcolo"},
          Case{-1.25, 0, u'.', 0, "Y = -1.25000000·X + 0.00000000; 5 punti"}}) {
        SCOPED_TRACE(c.expected);
        DataSet rows = FiveActiveRowsTwoLeftOut();
        for (int i = 0; i < 5; ++i) {
            rows[i].used = i < 5 - c.leftOut;
        }
        Statistics stats;
        stats[Figure::A] = mpq_class(c.a);
        stats[Figure::B] = mpq_class(c.b);
        Surface s = MakeSurface();
        ScriptedMessageBox messages;
        QuadroOutputs out;
        ASSERT_TRUE(Quadro(s, Args(1, 5, 1, 9), out, messages)); // grid and axes, no line yet
        ASSERT_TRUE(PlotPoints(s, rows));
        const auto describe = [&] { return ChartDescription(s, stats, c.separator).toStdString(); };
        EXPECT_EQ(describe(), "Grafico vuoto");
        ASSERT_TRUE(DrawRegressionLine(s, Extremes{1, 5, 1, 9}, stats));
        EXPECT_EQ(describe(), std::string("Retta di regressione ") + c.expected);
        s.Clear();
        EXPECT_EQ(describe(), "Grafico vuoto");
    }
}
