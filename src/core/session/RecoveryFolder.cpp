#include "RecoveryFolder.h"

#include "files/FileName.h"
#include "files/XdgFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qb {
namespace {

const QString kProgramFolder = QStringLiteral("quantorelle-brindel");
const QString kCopySuffix = QStringLiteral(".rgs");
const QString kLockSuffix = QStringLiteral(".lock");

QString LockOf(const QString& copy) {
    return copy.chopped(kCopySuffix.size()) + kLockSuffix;
}

// This instance's copy, in the folder made private to the user. The start time tells apart two
// instances that the system gave the same process number.
QString OwnCopyIn(const QString& folder) {
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString name = QStringLiteral("%1-%2")
                             .arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch());
    return QDir(folder).filePath(name + kCopySuffix);
}

} // namespace

std::optional<FileLock> FileLock::Take(const QString& path) {
    const int fd = ::open(FileNameBytes(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return std::nullopt;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    return FileLock(path, fd);
}

FileLock::FileLock(FileLock&& other) noexcept
    : path_(std::move(other.path_)), fd_(std::exchange(other.fd_, -1)) {}

FileLock::~FileLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void FileLock::RemoveFile() const {
    ::unlink(FileNameBytes(path_).constData());
}

QDateTime LeftCopy::Written() const {
    return QFileInfo(path_).lastModified();
}

QByteArray LeftCopy::Bytes() const {
    QFile file(path_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void LeftCopy::Remove() const {
    QFile::remove(path_);
    lock_.RemoveFile();
}

std::optional<QString> LeftCopy::SetAside() const {
    const QString aside =
        path_.chopped(kCopySuffix.size()) + QStringLiteral("-illeggibile") + kCopySuffix;
    if (!QFile::rename(path_, aside)) {
        return std::nullopt;
    }
    lock_.RemoveFile();
    return aside;
}

RecoveryFolder::RecoveryFolder(const QString& path)
    : folder_(path), ownCopy_(OwnCopyIn(folder_)), ownLock_(FileLock::Take(LockOf(ownCopy_))) {}

RecoveryFolder::~RecoveryFolder() {
    // A copy kept at the end is found by the next start through its free lock, or without one.
    if (ownLock_) {
        ownLock_->RemoveFile();
    }
}

QString RecoveryFolder::DesktopPlace() {
    return XdgFolderPath(XdgFolder::State) + u'/' + kProgramFolder;
}

std::optional<LeftCopy> RecoveryFolder::ClaimLeftCopy() const {
    static const QRegularExpression kCopyName(QStringLiteral("^[0-9]+-[0-9]+\\.rgs$"));
    const QFileInfoList copies =
        QDir(folder_).entryInfoList({QStringLiteral("*") + kCopySuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo& copy : copies) {
        if (copy.filePath() == ownCopy_ || !kCopyName.match(copy.fileName()).hasMatch()) {
            continue;
        }
        if (auto lock = FileLock::Take(LockOf(copy.filePath()))) {
            return LeftCopy(copy.filePath(), std::move(*lock));
        }
    }
    return std::nullopt;
}

} // namespace qb
