#include "SystemInfo.h"

#include "Registry.h"
#include "platform/Launcher.h"
#include "platform/MessageBox.h"

#include <optional>

namespace qb {
namespace {

std::optional<QString> LocalMachineValue(Registry& registry, const QString& keyName,
                                         const QString& valueName) {
    QString value;
    if (!GetKeyValue(registry, kLocalMachine, keyName, valueName, value)) {
        return std::nullopt;
    }
    return value;
}

bool StartExisting(Launcher& launcher, const QString& program) {
    return launcher.FileExists(program) && launcher.Start(program);
}

} // namespace

void StartSysInfo(Registry& registry, Launcher& launcher, MessageBox& messages) {
    // The program's own registration names it by its full path; without one, the folder of the
    // shared tools holds it under its usual name. A registered program that fails to start is
    // not looked for elsewhere.
    if (const auto program =
            LocalMachineValue(registry, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                              QStringLiteral("PATH"))) {
        if (launcher.Start(*program)) {
            return;
        }
    } else if (const auto folder = LocalMachineValue(
                   registry, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                   QStringLiteral("MSINFO"))) {
        if (StartExisting(launcher, *folder + QStringLiteral("\\MSINFO32.EXE"))) {
            return;
        }
    }
    messages.Show(QStringLiteral("Non è possibile lanciare il programma 'System Info'"),
                  kPlainStyle, QStringLiteral("Quantorelle"));
}

} // namespace qb
