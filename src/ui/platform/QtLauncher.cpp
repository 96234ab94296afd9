#include "QtLauncher.h"

#include <QProcess>

namespace qb {

bool QtLauncher::Start(const QString& program) {
    // Detached: the started program outlives this one and never blocks it.
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

} // namespace qb
