// The data file: the lookup by section and key, the code page, the reader's stops and order, the
// writer, and the all-or-nothing replacement of a file on the disk.
#include "core/numbers/CaseFile.h"
#include "files/DataFile.h"
#include "files/FileName.h"
#include "files/FileStore.h"
#include "files/Windows1252.h"
#include "model/Analysis.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <numeric>
#include <sys/stat.h>

namespace qb {
namespace {

const QByteArray kId = "[Program ID]\r\nID=Quantorelle\r\n";

DataFileContent Read(QString text) { // <id>: the identifier section
    return ReadDataFile(ProfileText::FromBytes(text.replace("<id>", kId).toLatin1()));
}

TEST(ProfileText, FindsTheValueOrTheDefault) {
    for (const Case& c : ReadCases(__FILE__, "profile_lookup.tsv")) {
        EXPECT_EQ(ProfileText::FromBytes(c[0].toLatin1()).ReadKey(c[1], c[2], "<default>"), c[3])
            << c.where;
    }
}

TEST(ProfileText, ReadsOnlyRegularFilesUpToTheLimit) {
    QTemporaryDir dir;
    const QByteArray bytes = kId + QByteArray(ProfileText::kMaxFileSize - kId.size(), ' ');
    for (const QString& path :
         {Write(dir.filePath("limit.rgs"), bytes), Write(dir.filePath("big.rgs"), bytes + ' '),
          dir.path(), dir.filePath("missing"), QStringLiteral("/dev/zero")}) {
        EXPECT_EQ(ProfileText::FromFile(path).ReadKey("Program ID", "ID", "none"),
                  path.endsWith("limit.rgs") ? "Quantorelle" : "none")
            << path.toStdString();
    }
}

// Bytes that are not UTF-8 (a lone Latin-1 letter, an encoded surrogate, an overlong form, a
// cut sequence) survive the name; a file so named opens, also from the name a dialog shows.
TEST(FileName, KeepsTheBytesThatAreNotUtf8) {
    for (const QByteArray bytes : {"caf\xc3\xa9 \xf0\x9f\x98\x80", "latin\xe9.rgs", "\xed\xa0\x80",
                                   "\xc0\xaf", "\xe2\x82"}) {
        EXPECT_EQ(FileNameBytes(FileNameFromBytes(bytes)), bytes);
        EXPECT_EQ(HasForeignBytes(FileNameFromBytes(bytes)), !bytes.isValidUtf8());
    }
    QTemporaryDir dir;
    const QString name = FileNameFromBytes(QFile::encodeName(dir.path()) + "/latin\xe9.rgs");
    EXPECT_EQ(DisplayedFileName(name), dir.filePath(QString::fromUtf8("latin\xef\xbf\xbd.rgs")));
    EXPECT_EQ(ResolveDisplayedFileName(DisplayedFileName(name)), DisplayedFileName(name));
    FILE* file = std::fopen(FileNameBytes(name).constData(), "wb");
    ASSERT_TRUE(file && std::fputs(kId.constData(), file) >= 0 && std::fclose(file) == 0);
    EXPECT_EQ(ProfileText::FromFile(name).ReadKey("Program ID", "ID", ""), "Quantorelle");
    EXPECT_EQ(ResolveDisplayedFileName(DisplayedFileName(name)), name);
}

TEST(Windows1252, EveryByteComesBackAndForeignCharactersBecomeQuestionMarks) {
    QByteArray all(256, 0);
    std::iota(all.begin(), all.end(), char(0));
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
    EXPECT_EQ(FromWindows1252("\x80\x81\x9f\xa0\xe8"), u"\u20ac\u0081\u0178\u00a0\u00e8");
    EXPECT_EQ(ToWindows1252(u"a\u03A9b\u0100\u20ac"), "a?b?\x80");
}

TEST(DataFileReader, StopsAtTheFirstWrongPart) {
    const QStringList stops{"NotDataFile", "RowCount", "Statistics", "ItemCount", "None"};
    for (const Case& c : ReadCases(__FILE__, "data_file_stops.tsv")) {
        const DataFileContent content = Read(c[0]);
        EXPECT_EQ(stops.value(int(content.stop)) + ' ' + QString::number(content.rowCount),
                  c[1] + ' ' + c[2])
            << c.where;
    }
}

TEST(DataFileReader, ReadsRowsWithDefaultsAndPointsForCommasButNotInCounts) {
    const DataFileContent c = Read(
        "<id>[Points]\r\nNumber=3\r\n[Data X]\r\n1=3,5\r\n2=1,2,3\r\n4=9\r\n[Data Y]\r\n1=4\r\n"
        "[Use XY]\r\n1=1\r\n2=yes\r\n[Statistics]\r\nX=12,34567\r\nR=-0,5\r\n"
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

// The program's own file, as the end-to-end test saves it, is written back byte for byte.
TEST(DataFileWriter, WritesBackTheFileItRead) {
    const QByteArray golden =
        Contents(QFileInfo(__FILE__).dir().filePath("../../e2e/expected.rgs"));
    Analysis analysis(u'.');
    ApplyDataFile(ReadDataFile(ProfileText::FromBytes(golden)), analysis);
    EXPECT_EQ(DataFileBytes(analysis.Snapshot()), golden);
}

TEST(DataFileWriter, FollowsTheSeparatorAndLeavesOutInvalidFiguresAndTheirHistory) {
    AnalysisSnapshot s;
    s.rows[0] = {QString::fromUtf8("3,5 €è"), "1", true, true};
    s.rows[1] = {"2", "3", true, true};
    s.figures[Figure::A] = mpq_class(7, 5);
    s.history = {"X = 5,00000 / Y = 7,50000"};
    s.decimalSeparator = u',';
    s.statsState = StatsState::Valid;
    const QByteArray valid = DataFileBytes(s);
    EXPECT_TRUE(valid.contains("\r\n[Data X]\r\n1=3,5 \x80\xe8\r\n2=2\r\n"));
    EXPECT_TRUE(valid.contains("\r\nA=1,40000\r\nB=0,00000\r\nR=0,00000000\r\n"));
    EXPECT_TRUE(valid.endsWith("\r\nItems=1\r\n0=X = 5,00000 / Y = 7,50000\r\n"));
    s.statsState = StatsState::Invalid;
    EXPECT_TRUE(
        DataFileBytes(s).endsWith("\r\nA=\r\nB=\r\nR=\r\n\r\n[Computation]\r\nItems=0\r\n"));
}

// Refused before anything is opened: not a file the user may write; the other outcomes name
// what stopped the new file beside it.
TEST(ReplaceFileContents, ReplacesAllOrNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath("new.rgs");
    EXPECT_EQ(TargetOf(path), Target::Missing);
    EXPECT_EQ(ReplaceFileContents(path, "first"), Replacement::Done);
    EXPECT_EQ(ReplaceFileContents(path, "second"), Replacement::Done);
    EXPECT_EQ(TargetOf(path), Target::RegularFile);
    EXPECT_EQ(Contents(path), "second");
    // A disk that takes every byte and fails at the sync, as a full one may: the old file stays.
    struct FullAtSync final : DiskSync {
        int Sync(int) const override {
            errno = ENOSPC;
            return -1;
        }
    };
    EXPECT_EQ(ReplaceFileContents(path, "third", FullAtSync()), Replacement::DiskFull);
    EXPECT_EQ(Contents(path), "second");
    // The name it takes for a moment before the rename would be longer than the system allows.
    const QString longName = Write(dir.filePath(QString(250, u'n')), "old");
    EXPECT_EQ(ReplaceFileContents(longName, "new"), Replacement::Failed);
    EXPECT_EQ(Contents(longName), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    EXPECT_EQ(ReplaceFileContents(dir.filePath("missing/folder.rgs"), "new"),
              Replacement::FolderMissing);
    const QString pipe = dir.filePath("pipe.rgs");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe), 0600), 0);
    for (const QString& other : {dir.path(), QStringLiteral("/dev/full"), pipe}) {
        EXPECT_EQ(TargetOf(other), Target::NotRegularFile);
        EXPECT_EQ(ReplaceFileContents(other, "new"), Replacement::NotRegularFile);
    }
}

} // namespace
} // namespace qb
