#include "SystemInfo.h"

#include "platform/Launcher.h"

namespace qb {

SysInfoStart StartSysInfo(const SystemInfoLocation& location, Launcher& launcher) {
    const auto program = location.Program();
    return program && launcher.Start(*program) ? SysInfoStart::Started : SysInfoStart::Unavailable;
}

} // namespace qb
