#pragma once

#include "platform/Launcher.h"

namespace qb {

class QtLauncher final : public Launcher {
public:
    bool Start(const QString& program) override;
};

} // namespace qb
