// Starting the system-information program: the registered program first, then the one in the
// shared tools' folder, and the message when neither starts.
#include "support/FakeRegistry.h"
#include "support/ScriptedLauncher.h"
#include "support/ScriptedMessageBox.h"
#include "system/SystemInfo.h"
#include "system/SystemRegistry.h"

#include <gtest/gtest.h>
#include <optional>

using namespace qb;

namespace {

const QString kProgramKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kRegistered = QStringLiteral("D:\\Info\\msinfo.exe");
const QString kFolder = QStringLiteral("C:\\Shared\\MSINFO");
const QString kInFolder = QStringLiteral("C:\\Shared\\MSINFO\\MSINFO32.EXE");

void ExpectTheMessage(const ScriptedMessageBox& messages) {
    ASSERT_EQ(messages.requests.size(), 1);
    EXPECT_EQ(messages.requests[0].text,
              QStringLiteral("Non è possibile lanciare il programma 'System Info'"));
    EXPECT_EQ(messages.requests[0].style, kPlainStyle);
    EXPECT_EQ(messages.requests[0].title, QStringLiteral("Quantorelle"));
}

struct Desktop {
    const char* name;
    std::optional<QString> registered; // the program's own registration
    std::optional<QString> folder;     // the shared tools' folder
    QStringList existing;
    QStringList startable;
    QStringList started;
    bool message;
};

void PrintTo(const Desktop& c, std::ostream* os) {
    *os << c.name;
}

class StartSysInfoOn : public testing::TestWithParam<Desktop> {};

TEST_P(StartSysInfoOn, StartsOrTells) {
    const Desktop& d = GetParam();
    FakeRegistry registry;
    if (d.registered) {
        registry.Set(kProgramKey, QStringLiteral("PATH"), {kStringValue, d.registered->toLatin1()});
    }
    if (d.folder) {
        registry.Set(kFolderKey, QStringLiteral("MSINFO"), {kStringValue, d.folder->toLatin1()});
    }
    ScriptedLauncher launcher;
    launcher.existing = {d.existing.begin(), d.existing.end()};
    launcher.startable = {d.startable.begin(), d.startable.end()};
    ScriptedMessageBox messages;

    StartSysInfo(registry, launcher, messages);

    EXPECT_EQ(launcher.started, d.started);
    if (d.message) {
        ExpectTheMessage(messages);
    } else {
        EXPECT_TRUE(messages.requests.isEmpty());
    }
    EXPECT_EQ(registry.openKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Registries, StartSysInfoOn,
    testing::Values(
        Desktop{
            "registered_program", kRegistered, kFolder, {}, {kRegistered}, {kRegistered}, false},
        // A registered program that fails is not replaced by the one in the folder.
        Desktop{"registered_program_that_fails",
                kRegistered,
                kFolder,
                {kInFolder},
                {kInFolder},
                {kRegistered},
                true},
        Desktop{"program_in_the_folder",
                std::nullopt,
                kFolder,
                {kInFolder},
                {kInFolder},
                {kInFolder},
                false},
        Desktop{"folder_without_the_program", std::nullopt, kFolder, {}, {kInFolder}, {}, true},
        Desktop{"program_in_the_folder_that_fails",
                std::nullopt,
                kFolder,
                {kInFolder},
                {},
                {kInFolder},
                true},
        Desktop{"nothing_registered", std::nullopt, std::nullopt, {}, {}, {}, true}),
    [](const testing::TestParamInfo<Desktop>& info) { return info.param.name; });

TEST(StartSysInfo, ThisDesktopHasNoRegistryAndTellsSo) {
    SystemRegistry registry;
    ScriptedLauncher launcher;
    ScriptedMessageBox messages;
    StartSysInfo(registry, launcher, messages);
    EXPECT_TRUE(launcher.started.isEmpty());
    ExpectTheMessage(messages);
}

} // namespace
