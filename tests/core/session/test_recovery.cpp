// The recovery copy's bytes, the keeper that writes them, the folder that tells a living
// instance's copy from a left one, and the recent files in the program's and the desktop's list.
#include "files/FileName.h"
#include "files/RecentlyUsed.h"
#include "model/Analysis.h"
#include "session/RecentFiles.h"
#include "session/RecoveryCopy.h"
#include "session/RecoveryFolder.h"
#include "session/RecoveryKeeper.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qb {
namespace {

void Date(const QString& path, int year) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(QDateTime(QDate(year, 1, 1), {}), QFile::FileModificationTime));
}

// Rows, a use flag off, figures and a history: everything a data file holds.
void TypeWork(Analysis& analysis) {
    analysis.ChooseRowCount(3);
    for (int i = 0; i < 3; ++i) {
        analysis.SetText(Column::X, i, QString::number(i * 2 + 1));
        analysis.SetText(Column::Y, i, QStringLiteral("-0.%1").arg(i + 7));
    }
    analysis.SetUsed(1, false);
    ASSERT_TRUE(analysis.ComputeStatistics());
    analysis.AppendHistoryItem(QStringLiteral("X=4 Y=-0.8"));
}

TEST(RecoveryCopy, GivesBackRowsHistoryBindingAndLevel) {
    Analysis typed(u'.');
    TypeWork(typed);
    const QString longName = QStringLiteral("/dati/") + QString(300, u'à') + QStringLiteral(".rgs");
    for (const RecoveryRecord& record :
         {RecoveryRecord{{}, ConfidenceLevel::Percent95},
          RecoveryRecord{longName, ConfidenceLevel::Percent99},
          RecoveryRecord{FileNameFromBytes("/tmp/m\xe9sure &1.rgs"), ConfidenceLevel::Percent90}}) {
        const auto work = ReadRecoveryCopy(RecoveryCopyBytes(typed.Snapshot(), record));
        ASSERT_TRUE(work);
        EXPECT_EQ(work->record, record);
        EXPECT_EQ(work->data.stop, DataFileContent::Stop::None);
        EXPECT_EQ(work->data.rowCount, 3);
        EXPECT_EQ(work->data.rows, typed.Rows());
        EXPECT_EQ(work->data.history, typed.History());
    }
}

TEST(RecoveryCopy, RefusesWhatIsNoCompleteCopy) {
    Analysis typed(u'.');
    TypeWork(typed);
    const QByteArray data = DataFileBytes(typed.Snapshot());
    const QByteArray record = RecoveryCopyBytes(typed.Snapshot(), {}).mid(data.size());
    for (const QByteArray& bytes :
         {QByteArray(), data, record, QByteArray(data).replace("Level=95", "Level=80"),
          QByteArray(data + record).replace("Number=3", "Number=1")}) {
        EXPECT_FALSE(ReadRecoveryCopy(bytes)) << bytes.right(60).toStdString();
    }
}

// Fails every sync as a full disk does.
struct FullDisk final : DiskSync {
    int Sync(int) const override { return errno = ENOSPC, -1; }
};

TEST(RecoveryKeeper, WritesWhileChangedKeepsTheOldCopyOnAFullDiskRemovesItOnceSaved) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("1-1.rgs"));
    Analysis analysis(u'.');
    analysis.SetCurrentFileName(QStringLiteral("/dati/misure.rgs"));
    RecoveryKeeper keeper(analysis, path, std::chrono::hours(1));
    keeper.WriteNow();
    EXPECT_FALSE(QFile::exists(path)); // nothing changed yet
    TypeWork(analysis);
    keeper.WriteNow();
    const QByteArray written = Contents(path);
    EXPECT_EQ(written, RecoveryCopyBytes(analysis.Snapshot(), {QStringLiteral("/dati/misure.rgs"),
                                                               ConfidenceLevel::Percent95}));
    {
        const FullDisk disk;
        RecoveryKeeper full(analysis, path, std::chrono::hours(1), disk);
        analysis.SetText(Column::X, 0, QStringLiteral("9"));
        full.WriteNow();
    }
    EXPECT_EQ(Contents(path), written);
    EXPECT_EQ(analysis.Row(0).x.Text(), QStringLiteral("9"));
    analysis.MarkUnchanged();
    keeper.WriteNow();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(RecoveryFolder, OffersTheNewestCopyWhoseInstanceEndedNeverALivingOne) {
    QTemporaryDir dir;
    const auto copy = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    Write(copy("10-1.rgs"), "older");
    Write(copy("11-1.rgs"), "newer");
    Write(copy("12-1.rgs"), "living");
    Write(copy("13-1-illeggibile.rgs"), "set aside");
    Date(copy("10-1.rgs"), 2020);
    const auto living = FileLock::Take(copy("12-1.lock"));
    const RecoveryFolder folder(dir.path());
    Write(folder.OwnCopy(), "own");
    Date(copy("12-1.rgs"), 2030);
    {
        const auto left = folder.ClaimLeftCopy();
        ASSERT_TRUE(left && living);
        EXPECT_EQ(left->Bytes(), "newer");
        // Claimed, it is not offered to another instance.
        EXPECT_EQ(RecoveryFolder(dir.path()).ClaimLeftCopy().value().Bytes(), "older");
        EXPECT_EQ(left->SetAside(), copy("11-1-illeggibile.rgs"));
    }
    const auto left = folder.ClaimLeftCopy();
    ASSERT_TRUE(left);
    EXPECT_EQ(left->Bytes(), "older");
    left->Remove();
    EXPECT_FALSE(folder.ClaimLeftCopy());
}

const QByteArray kOtherProgram =
    "<?xml version=\"1.0\"?>\n<xbel version=\"1.0\" "
    "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
    "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "<bookmark href=\"file:///tmp/lettera.odt\" added=\"2024-01-01T00:00:00Z\" "
    "modified=\"2024-01-01T00:00:00Z\" visited=\"2024-01-01T00:00:00Z\"><info><metadata "
    "owner=\"http://freedesktop.org\"><mime:mime-type type=\"application/"
    "vnd.oasis.opendocument.text\"/><bookmark:applications><bookmark:application "
    "name=\"libreoffice\" exec=\"&apos;soffice&apos; %u\" modified=\"2024-01-01T00:00:00Z\" "
    "count=\"1\"/></bookmark:applications></metadata></info></bookmark>\n";

TEST(RecentlyUsed, JoinsTheDesktopListKeepingOthersAndLeavesABrokenOneAlone) {
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("share/recently-used.xbel"));
    const QString file = FileNameFromBytes("/dati/m\xe9sure.rgs");
    EXPECT_EQ(AddRecentlyUsed(list, file), RecentlyUsedUpdate::Done);
    EXPECT_TRUE(Contents(list).contains("file:///dati/m%E9sure.rgs"));
    // Another program's list, and the same grown to 10 MB with its entries.
    QByteArray huge = kOtherProgram;
    for (int i = 0; huge.size() < 10 * 1024 * 1024; ++i) {
        huge += QByteArray(kOtherProgram.mid(kOtherProgram.indexOf("<bookmark ")))
                    .replace("lettera", "lettera" + QByteArray::number(i));
    }
    for (const QByteArray& other : {kOtherProgram + "</xbel>", huge + "</xbel>"}) {
        Write(list, other);
        EXPECT_EQ(AddRecentlyUsed(list, file), RecentlyUsedUpdate::Done);
        const QByteArray now = Contents(list);
        EXPECT_TRUE(now.contains("/tmp/lettera.odt") && now.contains("name=\"libreoffice\"") &&
                    now.contains("m%E9sure.rgs") && now.contains("quantorelle-brindel %f"));
        EXPECT_EQ(now.count("<bookmark "), other.count("<bookmark ") + 1);
    }
    for (const QByteArray& broken : {kOtherProgram, QByteArray("\0\xff garbage", 10)}) {
        Write(list, broken);
        EXPECT_EQ(AddRecentlyUsed(list, file), RecentlyUsedUpdate::LeftAlone);
        EXPECT_EQ(Contents(list), broken);
    }
}

TEST(RecentFiles, KeepsTheLastEightNewestFirstOnce) {
    QTemporaryDir dir;
    RecentFiles recent(dir.filePath(QStringLiteral("recenti.ini")),
                       dir.filePath(QStringLiteral("recently-used.xbel")));
    for (int i = 0; i < 10; ++i) {
        recent.Add(QStringLiteral("/d/%1.rgs").arg(i % 9));
    }
    recent.Remove(QStringLiteral("/d/3.rgs"));
    EXPECT_EQ(recent.Paths().join(u' '), "/d/0.rgs /d/8.rgs /d/7.rgs /d/6.rgs /d/5.rgs /d/4.rgs "
                                         "/d/2.rgs");
    recent.WaitForDesktopList();
    EXPECT_EQ(Contents(dir.filePath(QStringLiteral("recently-used.xbel"))).count("<bookmark "), 9);
}

} // namespace
} // namespace qb
