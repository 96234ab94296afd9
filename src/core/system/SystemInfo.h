#pragma once

#include <QString>
#include <optional>

namespace qb {

class Launcher;
class MessageBox;

// Where the desktop keeps its system-information program.
class SystemInfoLocation {
public:
    virtual ~SystemInfoLocation() = default;
    // The program's full path; nullopt when the desktop has none.
    virtual std::optional<QString> Program() const = 0;
};

// The desktops this program runs on have no system-information program it knows of.
class NoSystemInfo final : public SystemInfoLocation {
public:
    std::optional<QString> Program() const override { return std::nullopt; }
};

// Starts the system-information program, or tells the user that it cannot.
void StartSysInfo(const SystemInfoLocation& location, Launcher& launcher, MessageBox& messages);

} // namespace qb
