#pragma once

#include "files/FileStore.h"

#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <chrono>

namespace qb {

class Analysis;

// The longest a change waits before it is in the recovery copy.
inline constexpr std::chrono::milliseconds kRecoveryDelay{2000};

// The disk's own sync, alive as long as the program.
const DiskSync& SystemDisk();

// Keeps a recovery copy of the analysis while it differs from its last saved or opened state:
// written at most `delay` after a change, replaced as safely as a data file, removed once the
// analysis is saved, opened or new. The writing happens on a thread of its own from a snapshot,
// so that a slow disk never holds up typing; a failed write leaves the previous copy and is
// tried again after the same delay.
class RecoveryKeeper {
public:
    RecoveryKeeper(Analysis& analysis, QString copyPath,
                   std::chrono::milliseconds delay = kRecoveryDelay,
                   const DiskSync& disk = SystemDisk());
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;
    // A change still waiting is written before the program ends: closing without saving keeps it.
    ~RecoveryKeeper();

    // Writes a changed analysis at once and waits until the copy is in place or has failed.
    void WriteNow();

private:
    void Write();
    void Remove();

    Analysis& analysis_;
    QString copyPath_;
    const DiskSync& disk_;
    QTimer timer_;
    QThreadPool writer_; // one thread: writes and removals happen in the order asked
};

} // namespace qb
