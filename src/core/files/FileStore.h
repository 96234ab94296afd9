#pragma once

#include <QByteArray>
#include <QString>

namespace qb {

// Whether a file can be opened for reading: the test that decides whether saving would
// overwrite something.
bool FileOpensForReading(const QString& path);

enum class Replacement {
    Done,
    Refused, // the path names something other than a file the user may write
    Failed,  // creating, writing, flushing, syncing or renaming the new file failed
};

// Puts the bytes in place of the file's contents, all or nothing: they go to a temporary file
// beside it, which replaces the old one only once all of it is on the disk. Any failure leaves
// the old file byte for byte as it was.
[[nodiscard]] Replacement ReplaceFileContents(const QString& path, const QByteArray& bytes);

} // namespace qb
