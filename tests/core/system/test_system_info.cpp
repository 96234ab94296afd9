// "Sistema...": the program the desktop names is started; when there is none, or it does not
// start, the caller hears so (the message is checked through the About window).
#include "support/ScriptedLauncher.h"
#include "system/SystemInfo.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

struct Located final : SystemInfoLocation {
    std::optional<QString> Program() const override { return "/usr/bin/sysinfo"; }
};

TEST(StartSysInfo, StartsTheProgramOrTells) {
    for (const bool starts : {true, false}) {
        ScriptedLauncher launcher;
        launcher.startable = {starts ? "/usr/bin/sysinfo" : ""};
        EXPECT_EQ(StartSysInfo(Located(), launcher),
                  starts ? SysInfoStart::Started : SysInfoStart::Unavailable);
        EXPECT_EQ(launcher.started, QStringList{"/usr/bin/sysinfo"});
    }
}

} // namespace
} // namespace qb
