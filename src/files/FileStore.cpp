#include "FileStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace qb {

bool FileOpensForReading(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

bool ReplaceFileContents(const QString& path, const QByteArray& bytes) {
    const QFileInfo existing(path);
    // Renaming over a file ignores its own permissions; a write-protected file stays so.
    if (existing.exists() && (!existing.isFile() || !existing.isWritable())) {
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace qb
