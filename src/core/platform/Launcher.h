#pragma once

#include <QString>

namespace qb {

// Starts other programs of the desktop.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the program in a normal window of its own; false when it cannot be started.
    virtual bool Start(const QString& program) = 0;
};

} // namespace qb
