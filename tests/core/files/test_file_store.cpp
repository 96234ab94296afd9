// Saving replaces a file all or nothing: a failed write leaves the old bytes as they were.
#include "files/FileStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace qb {
namespace {

class FileStoreTest : public ::testing::Test {
protected:
    QString Existing(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static QByteArray Contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir dir;
};

TEST_F(FileStoreTest, CreatesAndReplacesFiles) {
    const QString path = dir.filePath("new.rgs");
    EXPECT_FALSE(FileOpensForReading(path));
    ASSERT_TRUE(ReplaceFileContents(path, "first\r\n"));
    EXPECT_TRUE(FileOpensForReading(path));
    ASSERT_TRUE(ReplaceFileContents(path, "second\r\n"));
    EXPECT_EQ(Contents(path), "second\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"new.rgs"});
}

TEST_F(FileStoreTest, AFailedWriteLeavesTheOldFileAsItWas) {
    // The temporary file beside it would need a name longer than the system allows.
    const QString longName = Existing(QString(250, u'n'), "old contents");
    EXPECT_FALSE(ReplaceFileContents(longName, "new contents"));
    EXPECT_EQ(Contents(longName), "old contents");
    EXPECT_FALSE(ReplaceFileContents(dir.filePath("missing/folder.rgs"), "new"));
    EXPECT_FALSE(ReplaceFileContents(dir.path(), "a folder is not a file"));
    EXPECT_FALSE(ReplaceFileContents(QStringLiteral("/dev/full"), "a device is not a file"));
}

TEST_F(FileStoreTest, RespectsWriteProtection) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not bind the superuser";
    }
    const QString locked = Existing("locked.rgs", "locked");
    QFile::setPermissions(locked, QFile::ReadOwner);
    EXPECT_FALSE(ReplaceFileContents(locked, "new"));
    EXPECT_EQ(Contents(locked), "locked");

    const QString inLockedFolder = Existing("inside.rgs", "inside");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(ReplaceFileContents(inLockedFolder, "new"));
    EXPECT_EQ(Contents(inLockedFolder), "inside");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
} // namespace qb
