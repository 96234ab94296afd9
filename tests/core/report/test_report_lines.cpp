// The report as lines: which sections appear, their texts and tab columns, the fonts, and the
// texts of the data cells.
#include "model/Analysis.h"
#include "report/ReportLines.h"

#include <gtest/gtest.h>

#include <ostream>

namespace qb {

void PrintTo(const ReportPiece& p, std::ostream* os) {
    *os << "@" << p.column << " \"" << p.text.toStdString() << "\"";
}
void PrintTo(const ReportLine& l, std::ostream* os) {
    *os << l.pointSize << (l.bold ? "pt bold" : "pt") << " [";
    for (const ReportPiece& p : l.pieces) {
        PrintTo(p, os);
        *os << " ";
    }
    *os << "]";
}

namespace {

const ReportLine kEmptyBody{10, false, {}};

// The state after start-up or New: two active, checked rows with empty texts, all figures 0.
ReportInputs FreshInputs(QChar separator = u'.') {
    ReportInputs in;
    in.decimalSeparator = separator;
    for (int i = 0; i < kMinRowCount; ++i) {
        in.rows[i].active = in.rows[i].used = true;
    }
    return in;
}

// Figures as a successful computation leaves them, with a two-item history.
ReportInputs ComputedInputs(QChar separator = u'.') {
    ReportInputs in = FreshInputs(separator);
    const char* values[kFigureCount] = {"5/2", "4",   "15/2", "37/2", "47/4", "5/4",
                                        "3/2", "7/4", "7/5",  "1/2",  "-3/4"};
    for (int f = 0; f < kFigureCount; ++f) {
        in.statistics[Figure(f)] = mpq_class(values[f]);
    }
    in.statsValid = true;
    in.history = {"X = 1.00000 / Y = 1.90000", "X = 2.00000 / Y = 3.30000"};
    return in;
}

qsizetype IndexOfHeading(const Report& report, const QString& heading) {
    for (qsizetype i = 0; i < report.size(); ++i) {
        if (report[i].pieces == QList<ReportPiece>{{10, heading}}) {
            return i;
        }
    }
    return -1;
}

// The lines that follow a heading and its empty line.
Report SectionBody(const Report& report, const QString& heading, qsizetype lines) {
    const qsizetype at = IndexOfHeading(report, heading);
    if (at < 0 || at + 2 + lines > report.size()) {
        return {};
    }
    return report.mid(at + 2, lines);
}

const QString kData = QStringLiteral("1. DATI INSERITI (X / Y)");
const QString kStats = QStringLiteral("2. DATI STATISTICI");
const QString kLine = QStringLiteral("3. COEFFICIENTI RETTA DI QUANTORELLE (Y = aX + b)");
const QString kHistory = QStringLiteral("4. DATI CALCOLATI");

TEST(ReportTitle, EighteenPointBoldThenBodyFont) {
    const Report r = ReportLines(FreshInputs());
    ASSERT_GE(r.size(), 3);
    EXPECT_EQ(r[0], (ReportLine{18, true, {}}));
    EXPECT_EQ(r[1], (ReportLine{18, true, {{24, "ANALISI STATISTICA"}}}));
    EXPECT_EQ(r[2], kEmptyBody); // no current file
}

TEST(ReportTitle, FileLineNamesTheCurrentFile) {
    ReportInputs in = FreshInputs();
    in.currentFileName = "C:\\Misure\\prova 1.rgs";
    const Report r = ReportLines(in);
    ASSERT_GE(r.size(), 3);
    EXPECT_EQ(r[2], (ReportLine{10, false, {{10, "File: C:\\Misure\\prova 1.rgs"}}}));
}

TEST(ReportSections, FreshDataEndsAfterTheDataSection) {
    const Report r = ReportLines(FreshInputs());
    const qsizetype heading = IndexOfHeading(r, kData);
    ASSERT_EQ(heading, 6); // title, file line, three empty lines
    EXPECT_TRUE(r[heading].bold);
    EXPECT_EQ(r[heading + 1], kEmptyBody);
    ASSERT_EQ(r.size(), heading + 2 + 10 + 3);
    for (int k = 0; k < 10; ++k) {
        const ReportLine& line = r[heading + 2 + k];
        EXPECT_FALSE(line.bold);
        EXPECT_EQ(line.pieces,
                  (QList<ReportPiece>{{10, QString("%1 = ").arg(k + 1, 2, 10, QChar(u'0'))},
                                      {50, QString("%1 = ").arg(k + 11)},
                                      {90, QString("%1 = ").arg(k + 21)}}))
            << "line " << k + 1;
    }
    for (qsizetype i = r.size() - 3; i < r.size(); ++i) {
        EXPECT_EQ(r[i], kEmptyBody);
    }
}

TEST(ReportSections, ZeroFiguresHideAHistoryEvenWhenValid) {
    ReportInputs in = FreshInputs();
    in.statsValid = true;
    in.history = {"X = 1.00000 / Y = 2.00000"};
    EXPECT_EQ(ReportLines(in), ReportLines(FreshInputs()));
}

TEST(ReportSections, DataLinesHoldRowsInThreeColumns) {
    ReportInputs in = FreshInputs();
    for (int i = 0; i < kRowCapacity; ++i) {
        in.rows[i] = {QString::number(i + 1), QString(), true, true};
    }
    const Report body = SectionBody(ReportLines(in), kData, 10);
    ASSERT_EQ(body.size(), 10);
    EXPECT_EQ(body[0].pieces,
              (QList<ReportPiece>{
                  {10, "01 = 1.00000 / "}, {50, "11 = 11.00000 / "}, {90, "21 = 21.00000 / "}}));
    EXPECT_EQ(body[9].pieces,
              (QList<ReportPiece>{
                  {10, "10 = 10.00000 / "}, {50, "20 = 20.00000 / "}, {90, "30 = 30.00000 / "}}));
}

TEST(ReportSections, ValidFiguresWithValues) {
    const Report r = ReportLines(ComputedInputs(u','));
    EXPECT_EQ(
        SectionBody(r, kStats, 4),
        (Report{{10, false, {{10, "Media X =  2,50000"}, {50, "Media Y = 4,00000"}}},
                {10,
                 false,
                 {{10, "Media X2 = 7,50000"},
                  {50, "Media Y2 = 18,50000"},
                  {90, "Media XY = 11,75000"}}},
                {10,
                 false,
                 {{10, "SQM X = 1,25000"}, {50, "SQM Y = 1,50000"}, {90, "SQM XY = 1,75000"}}},
                {10, false, {{10, "Coefficiente di correlazione = -0,75000000"}}}}));
    EXPECT_EQ(SectionBody(r, kLine, 1),
              (Report{{10, false, {{10, "a = 1,40000"}, {50, "b = 0,50000"}}}}));
}

TEST(ReportSections, SectionsFollowEachOtherWithThreeEmptyLines) {
    const Report r = ReportLines(ComputedInputs());
    const qsizetype data = IndexOfHeading(r, kData);
    const qsizetype stats = IndexOfHeading(r, kStats);
    const qsizetype line = IndexOfHeading(r, kLine);
    const qsizetype history = IndexOfHeading(r, kHistory);
    EXPECT_EQ(stats, data + 2 + 10 + 3);
    EXPECT_EQ(line, stats + 2 + 4 + 3);
    EXPECT_EQ(history, line + 2 + 1 + 3);
    ASSERT_EQ(r.size(), history + 2 + 2); // the report ends with the last item
    for (qsizetype heading : {data, stats, line, history}) {
        EXPECT_EQ(r[heading].pointSize, 10);
        EXPECT_TRUE(r[heading].bold);
        for (qsizetype i : {heading - 3, heading - 2, heading - 1, heading + 1}) {
            EXPECT_EQ(r[i], kEmptyBody) << "line " << i;
        }
    }
}

TEST(ReportSections, InvalidFiguresPrintLabelsAlone) {
    ReportInputs in = ComputedInputs();
    in.statsValid = false;
    const Report r = ReportLines(in);
    EXPECT_EQ(SectionBody(r, kStats, 4),
              (Report{{10, false, {{10, "Media X = "}, {50, "Media Y ="}}},
                      {10, false, {{10, "Media X2 = "}, {50, "Media Y2 = "}, {90, "Media XY = "}}},
                      {10, false, {{10, "SQM X = "}, {50, "SQM Y = "}, {90, "SQM XY = "}}},
                      {10, false, {{10, "Coefficiente di correlazione = "}}}}));
    EXPECT_EQ(SectionBody(r, kLine, 1), (Report{{10, false, {{10, "a = "}, {50, "b = "}}}}));
    EXPECT_EQ(IndexOfHeading(r, kHistory), -1);
    EXPECT_EQ(r.size(), IndexOfHeading(r, kLine) + 3);
}

TEST(ReportSections, ValidWithoutHistoryEndsWithTheLine) {
    ReportInputs in = ComputedInputs();
    in.history.clear();
    const Report r = ReportLines(in);
    EXPECT_EQ(IndexOfHeading(r, kHistory), -1);
    EXPECT_EQ(r.size(), IndexOfHeading(r, kLine) + 3);
}

TEST(ReportSections, HistoryOfAHundredItemsNumberedFrom01To100) {
    ReportInputs in = ComputedInputs();
    in.history.clear();
    for (int i = 1; i <= 100; ++i) {
        in.history.append(QString("item %1").arg(i));
    }
    const Report items = SectionBody(ReportLines(in), kHistory, 100);
    ASSERT_EQ(items.size(), 100);
    for (int i : {1, 9, 10, 99, 100}) {
        const QString number = i < 10 ? QString("0%1").arg(i) : QString::number(i);
        EXPECT_EQ(items[i - 1],
                  (ReportLine{10, false, {{10, number + ": item " + QString::number(i)}}}));
    }
}

// Any one of the eight figures not 0 brings in the statistics; A, B and R alone do not.
struct FigureCase {
    Figure figure;
    bool printsStatistics;
};
void PrintTo(const FigureCase& c, std::ostream* os) {
    *os << kFigureNames[int(c.figure)];
}

class ReportWithOneFigure : public ::testing::TestWithParam<FigureCase> {};

TEST_P(ReportWithOneFigure, DecidesWhetherTheStatisticsFollow) {
    ReportInputs in = FreshInputs();
    in.statistics[GetParam().figure] = mpq_class(-1, 2);
    in.statsValid = true;
    const Report r = ReportLines(in);
    EXPECT_EQ(IndexOfHeading(r, kStats) >= 0, GetParam().printsStatistics);
    EXPECT_EQ(IndexOfHeading(r, kLine) >= 0, GetParam().printsStatistics);
}

INSTANTIATE_TEST_SUITE_P(
    Figures, ReportWithOneFigure,
    ::testing::Values(FigureCase{Figure::X, true}, FigureCase{Figure::Y, true},
                      FigureCase{Figure::X2, true}, FigureCase{Figure::Y2, true},
                      FigureCase{Figure::XY, true}, FigureCase{Figure::SX, true},
                      FigureCase{Figure::SY, true}, FigureCase{Figure::SXY, true},
                      FigureCase{Figure::A, false}, FigureCase{Figure::B, false},
                      FigureCase{Figure::R, false}));

struct CellCase {
    const char* name;
    DataRow row;
    char separator;
    const char* cell;
};
void PrintTo(const CellCase& c, std::ostream* os) {
    *os << c.name;
}

class ReportCell : public ::testing::TestWithParam<CellCase> {};

TEST_P(ReportCell, ShowsTheRowState) {
    const CellCase& c = GetParam();
    EXPECT_EQ(ReportCellText(c.row, QChar(c.separator)).toStdString(), c.cell);
}

INSTANTIATE_TEST_SUITE_P(
    DataSet, ReportCell,
    ::testing::Values(
        CellCase{"inactive", {"", "", false, false}, '.', ""},
        CellCase{"inactive with texts", {"1", "2", false, false}, '.', ""},
        CellCase{"unchecked", {"1", "2", false, true}, '.', "Non utilizzato"},
        CellCase{"decimal comma", {"3.5", "7", true, true}, ',', "3,50000 / 7,00000"},
        CellCase{"decimal point", {"3.5", "7", true, true}, '.', "3.50000 / 7.00000"},
        CellCase{"empty X", {"", "2", true, true}, '.', " / 2.00000"},
        CellCase{"empty Y", {"-2", "", true, true}, '.', "-2.00000 / "},
        CellCase{"both empty", {"", "", true, true}, '.', ""},
        CellCase{"both blank", {" ", "  ", true, true}, '.', ""},
        CellCase{"half away from zero",
                 {"2.000005", "-0.000005", true, true},
                 '.',
                 "2.00001 / -0.00001"},
        CellCase{"rounded on all the digits typed",
                 {"0.123454999999999999999", "1", true, true},
                 '.',
                 "0.12345 / 1.00000"},
        CellCase{"rounds to zero keeping its sign",
                 {"-0.000004", "-0.", true, true},
                 '.',
                 "-0.00000 / 0.00000"},
        CellCase{
            "exponent and point forms", {"1.5E3", ".25", true, true}, '.', "1500.00000 / 0.25000"},
        CellCase{"radix forms", {"&H1F", "&o17", true, true}, '.', "31.00000 / 15.00000"},
        CellCase{"no grouping",
                 {"123456789012345", "1", true, true},
                 '.',
                 "123456789012345.00000 / 1.00000"},
        CellCase{"comma is no decimal point", {"1,5", "2", true, true}, ',', "1,5 / 2,00000"},
        CellCase{"trailing letters", {"12abc", "-", true, true}, '.', "12abc / -"},
        CellCase{"beyond the 64-bit range", {"1E999", "1", true, true}, '.', "1E999 / 1.00000"}));

TEST(ReportOfAnalysis, ReadsRowsFiguresFileAndHistory) {
    Analysis analysis(u',');
    analysis.ChooseRowCount(5);
    const char* points[][2] = {{"1", "2"}, {"2", "3"}, {"3", "5"}, {"4", "6"}, {"100", "0"}};
    for (int i = 0; i < 5; ++i) {
        analysis.SetText(Column::X, i, points[i][0]);
        analysis.SetText(Column::Y, i, points[i][1]);
    }
    analysis.SetUsed(4, false);
    ASSERT_TRUE(analysis.ComputeStatistics());
    analysis.AppendHistoryItem("X = 5,00000 / Y = 7,50000");
    analysis.SetCurrentFileName("dati.rgs");

    const Report r = ReportLines(ReportInputsOf(analysis));
    EXPECT_EQ(r[2].pieces, (QList<ReportPiece>{{10, "File: dati.rgs"}}));
    const Report data = SectionBody(r, kData, 10);
    ASSERT_EQ(data.size(), 10);
    EXPECT_EQ(data[3].pieces[0].text, "04 = 4,00000 / 6,00000");
    EXPECT_EQ(data[4].pieces[0].text, "05 = Non utilizzato");
    EXPECT_EQ(data[5].pieces[0].text, "06 = ");
    const Report stats = SectionBody(r, kStats, 4);
    ASSERT_EQ(stats.size(), 4);
    EXPECT_EQ(stats[0].pieces[0].text, "Media X =  2,50000");
    EXPECT_EQ(stats[2].pieces[2].text, "SQM XY = 1,32288");
    EXPECT_EQ(stats[3].pieces[0].text, "Coefficiente di correlazione = 0,98994949");
    EXPECT_EQ(SectionBody(r, kLine, 1)[0].pieces[1].text, "b = 0,50000");
    EXPECT_EQ(SectionBody(r, kHistory, 1),
              (Report{{10, false, {{10, "01: X = 5,00000 / Y = 7,50000"}}}}));
}

} // namespace
} // namespace qb
