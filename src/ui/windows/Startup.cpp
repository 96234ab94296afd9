#include "Startup.h"

#include <QFileInfo>

namespace qb {

Startup::Startup(Analysis& analysis, Services services, SystemServices system,
                 ProgramVersion version, QString dataFile, std::chrono::milliseconds splashTime,
                 const std::function<void()>& beforeLoading)
    : splash_(std::make_unique<SplashWindow>(version, splashTime)), dataFile_(std::move(dataFile)) {
    splash_->ShowInFront();
    if (beforeLoading) {
        beforeLoading();
    }
    main_ = std::make_unique<MainWindow>(analysis, std::move(services));
    about_ = std::make_unique<AboutWindow>(*main_, system, version);
    QObject::connect(main_.get(), &MainWindow::AboutRequested, about_.get(),
                     &AboutWindow::ShowAbout);
    QObject::connect(splash_.get(), &SplashWindow::Closed, main_.get(),
                     [this] { ShowMainWindow(); });
}

void Startup::ShowMainWindow() {
    main_->show();
    main_->activateWindow();
    if (!dataFile_.isEmpty()) {
        main_->OpenFile(dataFile_);
    }
}

QString DataFileArgument(const QStringList& arguments) {
    if (arguments.size() != 2 || arguments[1].isEmpty()) {
        return {};
    }
    return QFileInfo(arguments[1]).absoluteFilePath();
}

} // namespace qb
