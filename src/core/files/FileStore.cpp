#include "FileStore.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace qb {
namespace {

Replacement CauseOf(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return Replacement::DiskFull;
    case EFBIG:
        return Replacement::TooLarge;
    case ENOENT:
    case ENOTDIR:
        return Replacement::FolderMissing;
    case EACCES:
    case EPERM:
    case EROFS:
        return Replacement::FolderReadOnly;
    default:
        return Replacement::Failed;
    }
}

std::optional<Replacement> Refusal(const QFileInfo& target) {
    switch (TargetOf(target.filePath())) {
    case Target::NotRegularFile:
        return Replacement::NotRegularFile;
    case Target::RegularFile:
        // Renaming over a file ignores its own permissions; a write-protected file stays so.
        if (!target.isWritable()) {
            return Replacement::ReadOnlyFile;
        }
        break;
    case Target::Missing:
        break;
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        return Replacement::FolderMissing;
    }
    if (!folder.isWritable()) {
        return Replacement::FolderReadOnly;
    }
    return std::nullopt;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int Fd() const { return fd_; }

private:
    int fd_;
};

Replacement WriteAndSync(int fd, const QByteArray& bytes, const DiskSync& disk) {
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, size_t(left));
        if (written > 0) {
            next += written;
            left -= written;
        } else if (written == 0 || errno != EINTR) {
            return CauseOf(errno);
        }
    }
    return disk.Sync(fd) == 0 ? Replacement::Done : CauseOf(errno);
}

// Gives the complete unnamed file the target's name: at once where there is no file of that
// name, otherwise a fresh name beside it first, then renamed over it in one step. A kill before
// this point leaves nothing behind.
Replacement NameOver(int fd, const QByteArray& target) {
    const QByteArray source = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) ==
        0) {
        return Replacement::Done;
    }
    if (errno != EEXIST) {
        return CauseOf(errno);
    }
    constexpr int kNameAttempts = 16;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray fresh =
            target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, fresh.constData(),
                     AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST) {
                continue;
            }
            return CauseOf(errno);
        }
        if (::rename(fresh.constData(), target.constData()) != 0) {
            const int error = errno;
            ::unlink(fresh.constData()); // the name given a moment ago, never another file
            return CauseOf(error);
        }
        return Replacement::Done;
    }
    return Replacement::Failed;
}

// Writes through a file without a name; nullopt where the file system makes none.
std::optional<Replacement>
ReplaceThroughUnnamedFile(const QFileInfo& target, const QByteArray& bytes, const DiskSync& disk) {
    if (::access("/proc/self/fd", X_OK) != 0) {
        return std::nullopt; // the file could not be named afterwards
    }
    // A link is followed, so the file it names gets the new contents, as with QSaveFile.
    const QString path = target.exists() ? target.canonicalFilePath() : target.absoluteFilePath();
    const QByteArray name = QFile::encodeName(path);
    const Descriptor file(::open(QFile::encodeName(QFileInfo(path).path()).constData(),
                                 O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (file.Fd() < 0) {
        if (errno == EOPNOTSUPP || errno == EISDIR) {
            return std::nullopt;
        }
        return CauseOf(errno);
    }
    struct stat old {};
    if (::stat(name.constData(), &old) == 0 && ::fchmod(file.Fd(), old.st_mode & 07777) != 0) {
        return CauseOf(errno);
    }
    const Replacement written = WriteAndSync(file.Fd(), bytes, disk);
    return written == Replacement::Done ? NameOver(file.Fd(), name) : written;
}

Replacement ReplaceThroughSaveFile(const QString& path, const QByteArray& bytes,
                                   const DiskSync& disk) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return CauseOf(errno);
    }
    // commit() overlooks a failed flush of the buffer and a failed sync, and would then put a
    // short file in place of the old one: every byte must be on the disk before the rename.
    if (file.write(bytes) != bytes.size() || !file.flush() || disk.Sync(file.handle()) != 0) {
        const Replacement cause = CauseOf(errno);
        file.cancelWriting(); // the temporary file is then removed; the old one stays
        return cause;
    }
    return file.commit() ? Replacement::Done : CauseOf(errno);
}

} // namespace

Target TargetOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return Target::Missing;
    }
    return info.isFile() ? Target::RegularFile : Target::NotRegularFile;
}

int DiskSync::Sync(int fd) const {
    return ::fsync(fd);
}

Replacement ReplaceFileContents(const QString& path, const QByteArray& bytes,
                                const DiskSync& disk) {
    const QFileInfo target(path);
    if (const auto refusal = Refusal(target)) {
        return *refusal;
    }
    if (const auto written = ReplaceThroughUnnamedFile(target, bytes, disk)) {
        return *written;
    }
    return ReplaceThroughSaveFile(path, bytes, disk);
}

} // namespace qb
