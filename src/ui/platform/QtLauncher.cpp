#include "QtLauncher.h"

#include <QFileInfo>
#include <QProcess>

namespace qb {

bool QtLauncher::FileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

bool QtLauncher::Start(const QString& program) {
    // Detached: the started program outlives this one and never blocks it.
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

} // namespace qb
