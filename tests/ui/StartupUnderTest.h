#pragma once

#include "model/Analysis.h"
#include "support/FakeRegistry.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedHelpViewer.h"
#include "support/ScriptedLauncher.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedReportPrinter.h"
#include "windows/Startup.h"

#include <QTest>

namespace qb {

// The program started as from the desktop, with scripted seams and an empty registry. The
// splash lasts as long as a test needs: by default longer than any test runs.
struct StartupUnderTest {
    explicit StartupUnderTest(std::chrono::milliseconds splashTime = std::chrono::hours(1),
                              QString dataFile = {}, ProgramVersion version = {1, 0, 0},
                              const std::function<void()>& beforeLoading = {})
        : startup(analysis, {messages, help, files, printer, QString()},
                  {registry, launcher, messages}, version, std::move(dataFile), splashTime,
                  beforeLoading) {}

    SplashWindow& splash() { return startup.Splash(); }
    MainWindow& window() { return startup.Main(); }
    AboutWindow& about() { return startup.About(); }

    // Past the splash, with the main window shown and active.
    bool PastTheSplash() {
        splash().CloseSplash();
        return QTest::qWaitForWindowActive(&window());
    }

    ScriptedMessageBox messages;
    ScriptedHelpViewer help;
    ScriptedFileDialog files;
    ScriptedReportPrinter printer;
    FakeRegistry registry;
    ScriptedLauncher launcher;
    Analysis analysis{u'.'};
    Startup startup;
};

} // namespace qb
