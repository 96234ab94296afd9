#pragma once

#include <QString>
#include <optional>

namespace qb {

class Launcher;

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

enum class SysInfoStart { Started, Unavailable };

// Starts the system-information program; Unavailable when there is none or it does not start.
SysInfoStart StartSysInfo(const SystemInfoLocation& location, Launcher& launcher);

} // namespace qb
