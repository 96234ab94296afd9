#include "RecoveryKeeper.h"

#include "RecoveryCopy.h"
#include "model/Analysis.h"

#include <QFile>

namespace qb {

const DiskSync& SystemDisk() {
    static const DiskSync disk;
    return disk;
}

RecoveryKeeper::RecoveryKeeper(Analysis& analysis, QString copyPath,
                               std::chrono::milliseconds delay, const DiskSync& disk)
    : analysis_(analysis), copyPath_(std::move(copyPath)), disk_(disk) {
    writer_.setMaxThreadCount(1);
    timer_.setSingleShot(true);
    timer_.setInterval(delay);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Write(); });
    // Not restarted by the next change: steady typing is still written every `delay`.
    QObject::connect(&analysis_, &Analysis::Edited, &timer_, [this] {
        if (!timer_.isActive()) {
            timer_.start();
        }
    });
    QObject::connect(&analysis_, &Analysis::MarkedUnchanged, &timer_, [this] { Remove(); });
}

RecoveryKeeper::~RecoveryKeeper() {
    if (timer_.isActive()) {
        Write();
    }
    writer_.waitForDone();
}

void RecoveryKeeper::WriteNow() {
    timer_.stop();
    Write();
    writer_.waitForDone();
}

void RecoveryKeeper::Write() {
    if (!analysis_.ChangedSinceSaved()) {
        return;
    }
    const QByteArray bytes =
        RecoveryCopyBytes(analysis_.Snapshot(),
                          {.fileName = analysis_.CurrentFileName(), .level = analysis_.Level()});
    writer_.start([this, bytes] {
        if (ReplaceFileContents(copyPath_, bytes, disk_) != Replacement::Done) {
            QMetaObject::invokeMethod(&timer_, qOverload<>(&QTimer::start));
        }
    });
}

void RecoveryKeeper::Remove() {
    timer_.stop();
    writer_.start([this] { QFile::remove(copyPath_); });
}

} // namespace qb
