#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace qb {

// An exclusive lock on a file, held while the object lives; the system lets it go when the
// process ends in any way, a kill included.
class FileLock {
public:
    // nullopt while another process holds it.
    static std::optional<FileLock> Take(const QString& path);
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&&) = delete;
    FileLock(const FileLock&) = delete;
    ~FileLock();
    // The lock file goes too; the lock ends with the object.
    void RemoveFile() const;

private:
    FileLock(QString path, int fd) : path_(std::move(path)), fd_(fd) {}

    QString path_;
    int fd_;
};

// A recovery copy left by an instance that no longer runs, locked against other instances while
// this one decides about it.
class LeftCopy {
public:
    LeftCopy(QString path, FileLock lock) : path_(std::move(path)), lock_(std::move(lock)) {}

    const QString& Path() const { return path_; }
    QDateTime Written() const;
    QByteArray Bytes() const;
    // Gone, with its lock file.
    void Remove() const;
    // Renamed beside the copies, where it is no longer offered; the new name, or nullopt when
    // the rename failed.
    std::optional<QString> SetAside() const;

private:
    QString path_;
    FileLock lock_;
};

// The folder of the recovery copies: one copy per running instance, named after its process
// and start, beside a lock that it holds while it runs.
class RecoveryFolder {
public:
    explicit RecoveryFolder(const QString& path);
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;
    ~RecoveryFolder();

    // $XDG_STATE_HOME, else ~/.local/state, and the program's folder in it.
    static QString DesktopPlace();

    const QString& OwnCopy() const { return ownCopy_; }
    // The newest copy of an instance that no longer runs, unless every one is another running
    // instance's.
    std::optional<LeftCopy> ClaimLeftCopy() const;

private:
    QString folder_;
    QString ownCopy_;
    std::optional<FileLock> ownLock_;
};

} // namespace qb
