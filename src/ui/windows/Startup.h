#pragma once

#include "AboutWindow.h"
#include "MainWindow.h"
#include "SplashWindow.h"
#include "session/RecoveryFolder.h"
#include "session/RecoveryKeeper.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace qb {

class Analysis;

// The program's start: the splash first, on screen before anything else loads, then the main
// window and the About window loaded hidden behind it, and the main window shown when the splash
// gives way, with the data file named on the command line opened in it. beforeLoading runs once
// the splash is on screen, before the windows behind it are built: it loads what only they need.
// Work that an instance ended without saving is offered back before the data file opens.
class Startup final {
public:
    Startup(Analysis& analysis, Services services, SystemServices system, ProgramVersion version,
            QString dataFile = {}, std::chrono::milliseconds splashTime = kSplashTime,
            const std::function<void()>& beforeLoading = {});

    SplashWindow& Splash() const { return *splash_; }
    MainWindow& Main() const { return *main_; }
    AboutWindow& About() const { return *about_; }

private:
    void ShowMainWindow();
    void OfferRecovery();

    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<AboutWindow> about_; // holds on to the main window: destroyed first
    QString dataFile_;
    MessageBox& messages_;
    RecoveryFolder recoveryFolder_;
    std::unique_ptr<RecoveryKeeper> recoveryKeeper_; // destroyed first: it may write at the end
};

// The data file named as the program's only argument (after the program itself), absolute as a
// file dialog gives it; empty when there is none.
QString DataFileArgument(const QStringList& arguments);

} // namespace qb
