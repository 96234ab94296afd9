// The data file: the lookup by section and key, the code page, the reader's stops and order, the
// writer, and the all-or-nothing replacement of a file on the disk.
#include "core/numbers/CaseFile.h"
#include "files/DataFile.h"
#include "files/FileStore.h"
#include "files/Windows1252.h"
#include "model/Analysis.h"
#include "support/WorkedExample.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <unistd.h>

namespace qb {
namespace {

const QByteArray kId = "[Program ID]\r\nID=Quantorelle\r\n";

QByteArray Bytes(QString escaped) {
    return escaped.replace(QLatin1String("\\r"), QLatin1String("\r")).toLatin1();
}
DataFileContent Read(const QByteArray& bytes) {
    return ReadDataFile(ProfileText::FromBytes(bytes));
}
QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
QString Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return path;
}

TEST(ProfileText, FindsTheValueOrTheDefault) {
    for (const Case& c : ReadCases(__FILE__, "profile_lookup.tsv")) {
        EXPECT_EQ(ProfileText::FromBytes(Bytes(c[0])).ReadKey(c[1], c[2], "<default>"), c[3])
            << c.where;
    }
}

TEST(ProfileText, ReadsOnlyRegularFilesUpToTheLimit) {
    QTemporaryDir dir;
    const QByteArray bytes = kId + QByteArray(ProfileText::kMaxFileSize - kId.size(), ' ');
    const QString atLimit = Write(dir.filePath("limit.rgs"), bytes);
    EXPECT_EQ(ProfileText::FromFile(atLimit).ReadKey("Program ID", "ID", {}), "Quantorelle");
    for (const QString& path : {Write(dir.filePath("big.rgs"), bytes + ' '), dir.path(),
                                dir.filePath("missing"), QStringLiteral("/dev/zero")}) {
        EXPECT_EQ(ProfileText::FromFile(path).ReadKey("Program ID", "ID", "none"), "none")
            << path.toStdString();
    }
}

TEST(Windows1252, EveryByteComesBackAndForeignCharactersBecomeQuestionMarks) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(char(b));
    }
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
    EXPECT_EQ(FromWindows1252("\x80\x81\x9f\xa0\xe8"), u"\u20ac\u0081\u0178\u00a0\u00e8");
    EXPECT_EQ(ToWindows1252(u"a\u03A9b\u0100\u20ac"), "a?b?\x80");
}

TEST(DataFileReader, StopsAtTheFirstWrongPart) {
    const QStringList stops{"NotDataFile", "RowCount", "Statistics", "ItemCount", "None"};
    for (const Case& c : ReadCases(__FILE__, "data_file_stops.tsv")) {
        const DataFileContent content = Read(Bytes(c[0].replace("<id>", kId)));
        EXPECT_EQ(stops.value(int(content.stop)), c[1]) << c.where;
        EXPECT_EQ(content.rowCount, c[2].toInt()) << c.where;
    }
}

TEST(DataFileReader, ReadsRowsWithDefaultsAndPointsForCommasButNotInCounts) {
    const DataFileContent c =
        Read(kId + "[Points]\r\nNumber=3\r\n[Data X]\r\n1=3,5\r\n2=1,2,3\r\n4=9\r\n[Data Y]\r\n"
                   "1=4\r\n[Use XY]\r\n1=1\r\n2=yes\r\n[Statistics]\r\nX=12,34567\r\nR=-0,5\r\n"
                   "[Computation]\r\nItems=3,5\r\n0=a\r\n1=b\r\n");
    ASSERT_EQ(c.stop, DataFileContent::Stop::None);
    EXPECT_EQ(c.rows[0], (DataRow{"3.5", "4", true, true}));
    EXPECT_EQ(c.rows[1], (DataRow{"1.2.3", "", false, true}));
    EXPECT_EQ(c.rows[2], (DataRow{"", "", false, true}));
    EXPECT_EQ(c.rows[3], DataRow{}); // beyond the count
    EXPECT_EQ(c.statistics[Figure::X], ExactNumber(mpq_class(1234567, 100000)));
    EXPECT_EQ(c.statistics[Figure::R], ExactNumber(mpq_class(-1, 2)));
    EXPECT_EQ(c.history, QStringList({"a", "b", ""}));
}

TEST(ApplyDataFile, FiguresAreValidOnlyWithAMeanOrADeviationNotZero) {
    for (const QByteArray figures : {"X=0,00000\r\nA=2\r\nR=1\r\n", "SXY=0,5\r\n"}) {
        Analysis analysis(u'.');
        ApplyDataFile(Read(kId + "[Points]\r\nNumber=2\r\n[Statistics]\r\n" + figures +
                           "[Computation]\r\nItems=1\r\n0=h\r\n"),
                      analysis);
        EXPECT_EQ(analysis.StatsValid(), figures.startsWith("SXY"));
        EXPECT_EQ(analysis.History(), QStringList{"h"}); // read whether valid or not
    }
}

// The program's own file, as the end-to-end test saves it, is written back byte for byte.
TEST(DataFileWriter, WritesBackTheFileItRead) {
    const QByteArray golden =
        Contents(QFileInfo(__FILE__).dir().filePath("../../e2e/expected.rgs"));
    Analysis analysis(u'.');
    ApplyDataFile(Read(golden), analysis);
    EXPECT_EQ(DataFileBytes(analysis.Snapshot()), golden);
}

TEST(DataFileWriter, FollowsTheSeparatorAndLeavesOutInvalidFiguresAndTheirHistory) {
    AnalysisSnapshot s;
    s.rows = worked::Rows();
    s.rowCount = 4;
    s.rows[0].x = QString::fromUtf8("3,5 €è");
    s.figures[Figure::A] = mpq_class(7, 5);
    s.history = {"X = 5,00000 / Y = 7,50000"};
    s.decimalSeparator = u',';
    s.statsValid = true;
    const QByteArray valid = DataFileBytes(s);
    EXPECT_TRUE(valid.contains("\r\n[Data X]\r\n1=3,5 \x80\xe8\r\n2=2\r\n"));
    EXPECT_TRUE(valid.contains("\r\nA=1,40000\r\nB=0,00000\r\nR=0,00000000\r\n"));
    EXPECT_TRUE(valid.endsWith("\r\nItems=1\r\n0=X = 5,00000 / Y = 7,50000\r\n"));
    s.statsValid = false;
    EXPECT_TRUE(
        DataFileBytes(s).endsWith("\r\nA=\r\nB=\r\nR=\r\n\r\n[Computation]\r\nItems=0\r\n"));
}

// Random states as the program can reach them come back through the file unchanged.
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
        for (int item = analysis.ComputeStatistics() ? random.bounded(4) : 0; item > 0; --item) {
            analysis.AppendHistoryItem(QStringLiteral("X = %1 / Y = 2").arg(item));
        }
        const QByteArray bytes = DataFileBytes(analysis.Snapshot());
        Analysis reread(analysis.DecimalSeparator());
        ApplyDataFile(Read(bytes), reread);
        ASSERT_TRUE(reread.Rows() == analysis.Rows()) << round;
        // A figure that rounds to zero is read back as zero, which has no minus sign.
        ASSERT_EQ(DataFileBytes(reread.Snapshot()),
                  QString::fromLatin1(bytes)
                      .replace(QRegularExpression("=-(0[.,]0+\r\n)"), QStringLiteral("=\\1"))
                      .toLatin1())
            << round;
    }
}

TEST(ReplaceFileContents, ReplacesAllOrNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("new.rgs");
    EXPECT_FALSE(FileOpensForReading(path));
    EXPECT_EQ(ReplaceFileContents(path, "first"), Replacement::Done);
    EXPECT_EQ(ReplaceFileContents(path, "second"), Replacement::Done);
    EXPECT_TRUE(FileOpensForReading(path));
    EXPECT_EQ(Contents(path), "second");
    // The temporary file beside it would need a name longer than the system allows.
    const QString longName = Write(dir.filePath(QString(250, u'n')), "old");
    EXPECT_EQ(ReplaceFileContents(longName, "new"), Replacement::Failed);
    EXPECT_EQ(Contents(longName), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_EQ(ReplaceFileContents(dir.filePath("missing/folder.rgs"), "new"), Replacement::Failed);
    EXPECT_EQ(ReplaceFileContents(dir.path(), "new"), Replacement::Refused);
    EXPECT_EQ(ReplaceFileContents("/dev/full", "new"), Replacement::Refused);
}

TEST(ReplaceFileContents, RespectsWriteProtection) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    QTemporaryDir dir;
    const QString locked = Write(dir.filePath("locked.rgs"), "locked");
    QFile::setPermissions(locked, QFile::ReadOwner);
    EXPECT_EQ(ReplaceFileContents(locked, "new"), Replacement::Refused);
    const QString inside = Write(dir.filePath("inside.rgs"), "inside");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(ReplaceFileContents(inside, "new"), Replacement::Failed);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(Contents(locked) + Contents(inside), "lockedinside");
}

} // namespace
} // namespace qb
