#include "SystemInfo.h"

#include "platform/Launcher.h"
#include "platform/MessageBox.h"

namespace qb {

void StartSysInfo(const SystemInfoLocation& location, Launcher& launcher, MessageBox& messages) {
    if (const auto program = location.Program(); program && launcher.Start(*program)) {
        return;
    }
    messages.Show(QStringLiteral("Non è possibile lanciare il programma 'System Info'"),
                  kPlainStyle, QStringLiteral("Quantorelle"));
}

} // namespace qb
