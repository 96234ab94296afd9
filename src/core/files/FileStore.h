#pragma once

#include <QByteArray>
#include <QString>

namespace qb {

enum class Target { Missing, RegularFile, NotRegularFile };

// What a path names, found without opening it: opening a named pipe waits for a writer.
Target TargetOf(const QString& path);

enum class Replacement {
    Done,
    NotRegularFile, // a folder, a named pipe or a device: left alone, never opened
    ReadOnlyFile,   // a write-protected file stays so, although renaming over it would work
    FolderMissing,
    FolderReadOnly,
    DiskFull,
    TooLarge, // past the size a process may give a file
    Failed,   // any other cause
};

// The step that waits until a written file's bytes are on the disk: fsync. A disk may take every
// write and fail only here (full, or failing); tests put in such a disk.
class DiskSync {
public:
    virtual ~DiskSync() = default;
    // 0 once the bytes are on the disk, otherwise -1 with errno set.
    virtual int Sync(int fd) const;
};

// Puts the bytes in place of the file's contents, all or nothing: they go to a temporary file
// beside it, which replaces the old one only once all of it is on the disk. Any failure leaves
// the old file byte for byte as it was.
[[nodiscard]] Replacement ReplaceFileContents(const QString& path, const QByteArray& bytes,
                                              const DiskSync& disk = DiskSync());

} // namespace qb
