// The data file: the writer's exact bytes, the reader's order, defaults and stops, and the
// round trip of whatever state the program can be in.
#include "files/DataFile.h"
#include "model/Analysis.h"
#include "numbers/TextValue.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <ostream>

namespace qb {
namespace {

QByteArray Lines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1() + "\r\n";
    }
    return bytes;
}

QStringList RowSection(const QString& name, const QStringList& values) {
    QStringList lines{u'[' + name + u']'};
    for (int i = 0; i < kRowCapacity; ++i) {
        lines << QString::number(i + 1) + u'=' + (i < values.size() ? values[i] : QString());
    }
    return lines << QString();
}

// The worked example: points (1, 2), (2, 3), (3, 5), (4, 6), the last row unchecked.
void EnterWorkedExample(Analysis& analysis) {
    const QStringList xs{"1", "2", "3", "4"};
    const QStringList ys{"2", "3", "5", "6"};
    analysis.ChooseRowCount(5);
    for (int i = 0; i < xs.size(); ++i) {
        analysis.SetText(Column::X, i, xs[i]);
        analysis.SetText(Column::Y, i, ys[i]);
    }
    analysis.SetText(Column::X, 4, "9");
    analysis.SetUsed(4, false);
}

QByteArray WorkedExampleFile(const QStringList& statistics, const QStringList& computation) {
    QStringList lines{"[Program ID]", "ID=Quantorelle", "", "[Points]", "Number=5", ""};
    lines << RowSection("Data X", {"1", "2", "3", "4", "9"})
          << RowSection("Data Y", {"2", "3", "5", "6", ""})
          << RowSection("Use XY", {"1", "1", "1", "1", "0"}) << "[Statistics]" << statistics << ""
          << "[Computation]" << computation;
    return Lines(lines);
}

TEST(DataFileWriter, WritesTheWholeAnalysisLineByLine) {
    Analysis analysis(u'.');
    EnterWorkedExample(analysis);
    ASSERT_TRUE(analysis.ComputeStatistics());
    analysis.AppendHistoryItem("X = 5.00000 / Y = 7.00000");
    analysis.AppendHistoryItem("X = -1.00000 / Y = -0.20000");
    EXPECT_EQ(
        DataFileBytes(analysis),
        WorkedExampleFile(
            {"X=2.50000", "Y=4.00000", "X2=7.50000", "Y2=18.50000", "XY=11.75000", "SX=1.11803",
             "SY=1.58114", "SXY=1.32288", "A=1.40000", "B=0.50000", "R=0.98994949"},
            {"Items=2", "0=X = 5.00000 / Y = 7.00000", "1=X = -1.00000 / Y = -0.20000"}));
}

TEST(DataFileWriter, WritesTheFiguresWithTheLocaleSeparator) {
    Analysis analysis(u',');
    EnterWorkedExample(analysis);
    ASSERT_TRUE(analysis.ComputeStatistics());
    const QByteArray bytes = DataFileBytes(analysis);
    EXPECT_TRUE(bytes.contains("\r\nA=1,40000\r\nB=0,50000\r\nR=0,98994949\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n[Computation]\r\nItems=0\r\n"));
}

TEST(DataFileWriter, LeavesFiguresAndHistoryOutWhileTheyAreNotValid) {
    Analysis analysis(u'.');
    EnterWorkedExample(analysis);
    Statistics stored;
    stored[Figure::X] = mpq_class(1); // figures not all 0 but not valid: they must not be written
    analysis.LoadStatistics(stored, false);
    analysis.ReplaceHistory({"X = 1.00000 / Y = 1.00000"});
    EXPECT_EQ(
        DataFileBytes(analysis),
        WorkedExampleFile({"X=", "Y=", "X2=", "Y2=", "XY=", "SX=", "SY=", "SXY=", "A=", "B=", "R="},
                          {"Items=0"}));
}

TEST(DataFileWriter, WritesNonAsciiTextsInTheFilesCodePage) {
    Analysis analysis(u'.');
    analysis.ChooseRowCount(2);
    analysis.SetText(Column::X, 0, QString::fromUtf8("3,5 \u20ac\u00e8"));
    EXPECT_TRUE(DataFileBytes(analysis).contains("\r\n1=3,5 \x80\xe8\r\n"));
}

DataFileContent Read(const QByteArray& bytes) {
    return ReadDataFile(ProfileText::FromBytes(bytes));
}

const QByteArray kHeader = "[Program ID]\r\nID=Quantorelle\r\n";

TEST(DataFileReader, ReadsBackWhatTheWriterWrote) {
    Analysis analysis(u'.');
    EnterWorkedExample(analysis);
    ASSERT_TRUE(analysis.ComputeStatistics());
    analysis.AppendHistoryItem("X = 5.00000 / Y = 7.00000");
    const DataFileContent content = Read(DataFileBytes(analysis));
    ASSERT_EQ(content.stop, DataFileContent::Stop::None);
    EXPECT_EQ(content.rowCount, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(content.rows[i], analysis.Row(i)) << i;
    }
    EXPECT_EQ(content.statistics[Figure::A], ExactNumber(mpq_class(7, 5)));
    EXPECT_EQ(content.statistics[Figure::R], ExactNumber(mpq_class(98994949, 100000000)));
    EXPECT_EQ(content.statistics[Figure::SX], ExactNumber(mpq_class(111803, 100000)));
    EXPECT_TRUE(StoredStatisticsValid(content.statistics));
    EXPECT_EQ(content.history, analysis.History());
}

struct IdentifierCase {
    const char* file;
    bool accepted;
};

class IdentifierTest : public ::testing::TestWithParam<IdentifierCase> {};

TEST_P(IdentifierTest, IsCheckedWithoutRegardToCase) {
    const DataFileContent content = Read(QByteArray(GetParam().file) + "[Points]\r\nNumber=2\r\n");
    EXPECT_EQ(content.Reaches(DataFileContent::Stop::NotDataFile), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdentifierTest,
    ::testing::Values(IdentifierCase{"[Program ID]\r\nID=Quantorelle\r\n", true},
                      IdentifierCase{"[program id]\r\nid=QUANTORELLE\r\n", true},
                      IdentifierCase{"[Program ID]\r\nID=quantorelle\r\n", true},
                      IdentifierCase{"[Program ID]\r\nID=Quantorelle2\r\n", false},
                      IdentifierCase{"[Program ID]\r\nID=\r\n", false},
                      IdentifierCase{"[Other]\r\nID=Quantorelle\r\n", false},
                      IdentifierCase{"", false}));

struct CountCase {
    const char* number; // nullptr: no [Points] section
    int rows;           // 0: the reading stops at the row count
};

void PrintTo(const CountCase& c, std::ostream* os) {
    *os << (c.number ? c.number : "(missing)");
}

class RowCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(RowCountTest, IsRoundedHalfToEvenAndMustLieFrom2To30) {
    const CountCase& c = GetParam();
    QByteArray file = kHeader;
    if (c.number) {
        file += "[Points]\r\nNumber=" + QByteArray(c.number) + "\r\n";
    }
    const DataFileContent content = Read(file);
    EXPECT_EQ(content.Reaches(DataFileContent::Stop::RowCount), c.rows != 0);
    EXPECT_EQ(content.rowCount, c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowCountTest,
    ::testing::Values(CountCase{"2", 2}, CountCase{"30", 30}, CountCase{"2.5", 2},
                      CountCase{"3.5", 4}, CountCase{"3,5", 3}, CountCase{"29.6", 30},
                      CountCase{" 7 ", 7}, CountCase{"1", 0}, CountCase{"31", 0},
                      CountCase{"30.5", 30}, CountCase{"1.5", 2}, CountCase{"31.5", 0},
                      CountCase{"abc", 0}, CountCase{"", 0}, CountCase{"-5", 0},
                      CountCase{"40000", 0}, CountCase{"1e999", 0}, CountCase{nullptr, 0}));

TEST(DataFileReader, TurnsCommasIntoPointsInTextsAndFiguresNotInCounts) {
    const DataFileContent content =
        Read(kHeader + "[Points]\r\nNumber=2\r\n[Data X]\r\n1=3,5\r\n2=1,2,3\r\n"
                       "[Statistics]\r\nX=12,34567\r\nR=-0,5\r\n[Computation]\r\nItems=3,5\r\n");
    EXPECT_EQ(content.history.size(), 3);
    EXPECT_EQ(content.rows[0].x, "3.5");
    EXPECT_EQ(content.rows[1].x, "1.2.3");
    EXPECT_EQ(content.statistics[Figure::X], ExactNumber(mpq_class(1234567, 100000)));
    EXPECT_EQ(content.statistics[Figure::R], ExactNumber(mpq_class(-1, 2)));
}

TEST(DataFileReader, AppliesTheDefaultsOfMissingKeys) {
    const DataFileContent content =
        Read(kHeader + "[Points]\r\nNumber=3\r\n[Data X]\r\n1=4\r\n[Use XY]\r\n1=1\r\n2=yes\r\n"
                       "[Computation]\r\nItems=3\r\n0=a\r\n1=b\r\n");
    ASSERT_EQ(content.stop, DataFileContent::Stop::None);
    EXPECT_EQ(content.rows[0], (DataRow{"4", "", true, true}));
    EXPECT_EQ(content.rows[1], (DataRow{"", "", false, true}));
    EXPECT_EQ(content.rows[2], (DataRow{"", "", false, true}));
    EXPECT_TRUE(content.statistics.AllZero());
    EXPECT_EQ(content.history, QStringList({"a", "b", ""}));
}

TEST(DataFileReader, IgnoresRowsBeyondTheCount) {
    const DataFileContent content =
        Read(kHeader + "[Points]\r\nNumber=2\r\n[Data X]\r\n1=1\r\n2=2\r\n3=3\r\n");
    EXPECT_EQ(content.rows[2], DataRow{});
}

TEST(DataFileReader, ReadsTheHistoryEvenWhenTheFiguresAreAllZero) {
    const DataFileContent content =
        Read(kHeader + "[Points]\r\nNumber=2\r\n[Statistics]\r\nX=0,00000\r\nA=2\r\nR=1\r\n"
                       "[Computation]\r\nItems=1\r\n0=X = 1,00000 / Y = 2,00000\r\n");
    EXPECT_FALSE(StoredStatisticsValid(content.statistics));
    EXPECT_EQ(content.statistics[Figure::A], ExactNumber(mpq_class(2)));
    EXPECT_EQ(content.history, QStringList{"X = 1,00000 / Y = 2,00000"});
}

TEST(DataFileReader, StopsAtAnItemCountBeyond16BitsWithRowsAndFiguresRead) {
    const DataFileContent content =
        Read(kHeader + "[Points]\r\nNumber=2\r\n[Data Y]\r\n2=8\r\n[Statistics]\r\nY=4\r\n"
                       "[Computation]\r\nItems=40000\r\n");
    EXPECT_EQ(content.stop, DataFileContent::Stop::ItemCount);
    EXPECT_EQ(content.rows[1].y, "8");
    EXPECT_EQ(content.statistics[Figure::Y], ExactNumber(mpq_class(4)));
    EXPECT_TRUE(content.history.isEmpty());
}

TEST(DataFileReader, StopsAtAFigureBeyondTheFloatRange) {
    const DataFileContent content =
        Read(kHeader + "[Points]\r\nNumber=2\r\n[Data X]\r\n1=5\r\n[Statistics]\r\nSX=1e999\r\n");
    EXPECT_EQ(content.stop, DataFileContent::Stop::Statistics);
    EXPECT_EQ(content.rows[0].x, "5");
}

// Random states as the program can reach them: any row count, any texts the grid accepts, use
// flags, valid or invalid figures and a history.
TEST(DataFileRoundTrip, KeepsEveryStateTheProgramCanBeIn) {
    QRandomGenerator random(20261207);
    const QStringList texts{"",  "0",    "-1.5", "3.",  "1E+100", ".5", "-", "12345678901234567890",
                            "7", "2.25", "1e-5", "&H1F"};
    for (int round = 0; round < 300; ++round) {
        Analysis analysis(round % 2 ? u',' : u'.');
        analysis.ChooseRowCount(random.bounded(kMinRowCount, kRowCapacity + 1));
        for (int i = 0; i < analysis.RowCount(); ++i) {
            analysis.SetText(Column::X, i, texts[random.bounded(texts.size())]);
            analysis.SetText(Column::Y, i, texts[random.bounded(texts.size())]);
            analysis.SetUsed(i, random.bounded(4) != 0);
        }
        if (analysis.ComputeStatistics()) {
            for (int item = random.bounded(4); item > 0; --item) {
                analysis.AppendHistoryItem(QStringLiteral("X = %1 / Y = 2").arg(item));
            }
        }
        const QByteArray bytes = DataFileBytes(analysis);
        const DataFileContent content = Read(bytes);
        ASSERT_EQ(content.stop, DataFileContent::Stop::None) << round;
        ASSERT_EQ(content.rowCount, analysis.RowCount()) << round;
        Analysis reread(analysis.DecimalSeparator());
        reread.ChooseRowCount(content.rowCount);
        for (int i = 0; i < kRowCapacity; ++i) {
            ASSERT_EQ(content.rows[i], analysis.Row(i)) << round << " row " << i;
            reread.SetText(Column::X, i, content.rows[i].x);
            reread.SetText(Column::Y, i, content.rows[i].y);
            reread.SetUsed(i, content.rows[i].used);
        }
        reread.LoadStatistics(content.statistics, StoredStatisticsValid(content.statistics));
        reread.ReplaceHistory(content.history);
        // A figure that rounds to zero is read back as zero, which has no minus sign.
        const QString expected = QString::fromLatin1(bytes).replace(
            QRegularExpression("=-(0[.,]0+\r\n)"), QStringLiteral("=\\1"));
        ASSERT_EQ(DataFileBytes(reread), expected.toLatin1()) << round;
    }
}

} // namespace
} // namespace qb
