// The report as lines, compared with the expected layouts beside this file: one line a printed
// line, its point size, "b" when bold, then each piece as "@column text".
#include "core/numbers/CaseFile.h"
#include "report/ReportLines.h"
#include "report/ResultsText.h"
#include "support/SessionUnderTest.h"

#include <QFile>

namespace qb {
namespace {

QString Layout(const Report& report) {
    QString text;
    for (const ReportLine& line : report) {
        text += QString::number(line.pointSize) + (line.bold ? "b" : "");
        for (const ReportPiece& piece : line.pieces) {
            text += QStringLiteral(" @%1 %2").arg(piece.column).arg(piece.text);
        }
        text += u'\n';
    }
    return text;
}

QString Expected(const char* name) {
    QFile file(QFileInfo(__FILE__).dir().filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Two active, checked, empty rows and all figures 0, as after start-up or "Nuovo".
AnalysisSnapshot Fresh() {
    AnalysisSnapshot in;
    in.rows[0] = in.rows[1] = DataRow{"", "", true, true};
    return in;
}

AnalysisSnapshot Computed() {
    AnalysisSnapshot in = Fresh();
    const QStringList values = QString("5/2 4 15/2 37/2 47/4 5/4 3/2 7/4 7/5 1/2 -3/4").split(' ');
    for (int f = 0; f < kFigureCount; ++f) {
        in.figures[Figure(f)] = mpq_class(values[f].toStdString());
    }
    for (int i = 0; i < kRowCapacity; ++i) {
        in.rows[i] = DataRow{QString::number(i + 1), i == 4 ? "x" : "", i != 3, i < 12};
    }
    in.statsState = StatsState::Valid;
    in.fileName = "C:\\Misure\\prova 1.rgs";
    in.decimalSeparator = u',';
    for (int i = 1; i <= 100; ++i) {
        in.history << QStringLiteral("X = %1,00000 / Y = 1,90000").arg(i);
    }
    return in;
}

TEST(ReportLines, LaysOutEachStateOfTheAnalysis) {
    AnalysisSnapshot in = Computed();
    EXPECT_EQ(Layout(ReportLines(in)), Expected("computed.layout"));
    in.history.clear();
    EXPECT_EQ(Layout(ReportLines(in)),
              Expected("computed.layout").section("\n10\n10\n10\n10b @10 4.", 0, 0) + u'\n');
    in.statsState = StatsState::Invalid;
    EXPECT_EQ(Layout(ReportLines(in)), Expected("invalid.layout"));
    EXPECT_EQ(Layout(ReportLines(Fresh())), Expected("fresh.layout"));
}

// A session that has typed the rows ("x;y", "x;y;0" unchecked), then read a history item from a
// file ("file"), predicted at a level ("level:x", the level an index of 90, 95, 99 %) or unticked
// a row ("untick:i").
struct Predicted : SessionUnderTest {
    explicit Predicted(const Case& c) : SessionUnderTest(c[1].at(0)) {
        const QStringList rows = c[0].split(u' ');
        analysis.ChooseRowCount(int(rows.size()));
        for (int i = 0; i < rows.size(); ++i) {
            analysis.SetText(Column::X, i, rows[i].section(u';', 0, 0));
            analysis.SetText(Column::Y, i, rows[i].section(u';', 1, 1));
            analysis.SetUsed(i, rows[i].section(u';', 2) != "0");
        }
        session.SwitchTo(Page::UncertaintyTab);
        for (const QString& p : c[2].split(u' ', Qt::SkipEmptyParts)) {
            if (p == "file") {
                analysis.ReplaceHistory({QStringLiteral("X = 9 / Y = 9")});
                continue;
            }
            if (p.startsWith(u"untick:")) { // invalidates nothing: the report keeps the figures
                analysis.SetUsed(p.section(u':', 1).toInt(), false);
                continue;
            }
            analysis.SetLevel(ConfidenceLevel(p.section(u':', 0, 0).toInt()));
            session.Predict(p.section(u':', 1));
        }
        session.Print();
        session.CopyResults();
    }
};

// What follows the given expected text's first line.
QString From(const QString& text, const QString& expected) {
    return text.mid(text.indexOf(expected.section(u'\n', 0, 0)));
}

// Sections 5 and 6 and the copied figures after predictions: name.layout holds the report from the
// last section the case shares with the others, name.copy the text after the eleven figures.
TEST(ReportLines, TellsHowSureTheLineIs) {
    for (const Case& c : ReadCases(__FILE__, "uncertainty_cases.tsv")) {
        const Predicted p(c);
        const QString layout = Expected(qPrintable(c[3] + ".layout"));
        const QString copy = Expected(qPrintable(c[3] + ".copy"));
        ASSERT_EQ(p.printer.printed.size(), 1) << c.where;
        EXPECT_EQ(From(Layout(p.printer.printed[0]), layout), layout) << c.where;
        EXPECT_EQ(p.clipboard.text.section(u'\n', 11), copy) << c.where;
        EXPECT_TRUE(p.clipboard.html.contains(c[4])) << c.where;
    }
}

TEST(ReportCellText, ShowsTheRowState) {
    for (const Case& c : ReadCases(__FILE__, "report_cells.tsv")) {
        const DataRow row{c[0], c[1], c[2] == "used", c[2] != "inactive"};
        EXPECT_EQ(ReportCellText(row, c[3].at(0)), c[4]) << c.where;
    }
}

} // namespace
} // namespace qb
