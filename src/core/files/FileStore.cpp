#include "FileStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

namespace qb {

bool FileOpensForReading(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

Replacement ReplaceFileContents(const QString& path, const QByteArray& bytes) {
    const QFileInfo existing(path);
    // Renaming over a file ignores its own permissions; a write-protected file stays so.
    if (existing.exists() && (!existing.isFile() || !existing.isWritable())) {
        return Replacement::Refused;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Replacement::Failed;
    }
    // commit() overlooks a failed flush of the buffer and a failed sync, and would then put a
    // short file in place of the old one: every byte must be on the disk before the rename.
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        file.cancelWriting(); // the temporary file is then removed; the old one stays
        return Replacement::Failed;
    }
    return file.commit() ? Replacement::Done : Replacement::Failed;
}

} // namespace qb
