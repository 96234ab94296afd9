#pragma once

#include "platform/Launcher.h"

#include <QSet>
#include <QStringList>

namespace qb {

// Starts nothing: records the programs it is asked to start and succeeds for those it is told.
class ScriptedLauncher final : public Launcher {
public:
    bool Start(const QString& program) override {
        started.append(program);
        return startable.contains(program);
    }

    QSet<QString> startable;
    QStringList started;
};

} // namespace qb
