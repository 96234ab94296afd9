#pragma once

#include "model/Analysis.h"
#include "support/ScriptedClipboard.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedHelpViewer.h"
#include "support/ScriptedLauncher.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedPastePreview.h"
#include "support/ScriptedReportPrinter.h"
#include "system/SystemInfo.h"
#include "windows/Startup.h"

#include <QTest>

namespace qb {

// The program started with scripted seams; by default the splash outlasts any test.
struct StartupUnderTest {
    explicit StartupUnderTest(std::chrono::milliseconds splashTime = std::chrono::hours(1),
                              QString dataFile = {}, ProgramVersion version = {1, 0, 0},
                              const std::function<void()>& beforeLoading = {})
        : startup(analysis, {messages, help, files, printer, clipboard, pastePreview, QString()},
                  {sysInfo, launcher, messages}, version, std::move(dataFile), splashTime,
                  beforeLoading) {}

    SplashWindow& splash() { return startup.Splash(); }
    MainWindow& window() { return startup.Main(); }
    AboutWindow& about() { return startup.About(); }

    bool PastTheSplash() {
        splash().CloseSplash();
        return QTest::qWaitForWindowActive(&window());
    }

    ScriptedMessageBox messages;
    ScriptedHelpViewer help;
    ScriptedFileDialog files;
    ScriptedReportPrinter printer;
    ScriptedClipboard clipboard;
    ScriptedPastePreview pastePreview;
    NoSystemInfo sysInfo;
    ScriptedLauncher launcher;
    Analysis analysis{u'.'};
    Startup startup;
};

} // namespace qb
