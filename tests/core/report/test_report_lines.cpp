// The report as lines, compared with the expected layouts beside this file: one line a printed
// line, its point size, "b" when bold, then each piece as "@column text".
#include "core/numbers/CaseFile.h"
#include "report/ReportLines.h"

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

TEST(ReportCellText, ShowsTheRowState) {
    for (const Case& c : ReadCases(__FILE__, "report_cells.tsv")) {
        const DataRow row{c[0], c[1], c[2] == "used", c[2] != "inactive"};
        EXPECT_EQ(ReportCellText(row, c[3].at(0)), c[4]) << c.where;
    }
}

} // namespace
} // namespace qb
