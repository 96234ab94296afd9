#pragma once

#include <QByteArray>
#include <QString>

namespace qb {

// Whether a file can be opened for reading: the test that decides whether saving would
// overwrite something.
bool FileOpensForReading(const QString& path);

// Puts the bytes in place of the file's contents, all or nothing: they go to a temporary file
// beside it, which replaces the old one only once all of it is on the disk. A write, flush or
// sync that fails, or an existing file the user may not write, leaves the old file byte for
// byte as it was.
bool ReplaceFileContents(const QString& path, const QByteArray& bytes);

} // namespace qb
