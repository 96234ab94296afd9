#pragma once

#include "platform/Launcher.h"

#include <QSet>
#include <QStringList>

namespace qb {

// Starts nothing: records the programs it is asked to start, knows the files it is told exist
// and starts only those it is told will start.
class ScriptedLauncher final : public Launcher {
public:
    bool FileExists(const QString& path) override { return existing.contains(path); }
    bool Start(const QString& program) override {
        started.append(program);
        return startable.contains(program);
    }

    QSet<QString> existing;
    QSet<QString> startable;
    QStringList started;
};

} // namespace qb
