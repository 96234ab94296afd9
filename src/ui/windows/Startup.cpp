#include "Startup.h"

#include "model/Analysis.h"
#include "session/RecoveryCopy.h"

#include <QFileInfo>

namespace qb {

Startup::Startup(Analysis& analysis, Services services, SystemServices system,
                 ProgramVersion version, QString dataFile, std::chrono::milliseconds splashTime,
                 const std::function<void()>& beforeLoading)
    : splash_(std::make_unique<SplashWindow>(version, splashTime)), dataFile_(std::move(dataFile)),
      messages_(services.messages), recoveryFolder_(RecoveryFolder::DesktopPlace()) {
    splash_->ShowInFront();
    if (beforeLoading) {
        beforeLoading();
    }
    main_ = std::make_unique<MainWindow>(analysis, std::move(services));
    analysis.MarkUnchanged(); // the empty grid the window begins with is no work to keep
    recoveryKeeper_ = std::make_unique<RecoveryKeeper>(analysis, recoveryFolder_.OwnCopy());
    about_ = std::make_unique<AboutWindow>(*main_, system, version);
    QObject::connect(main_.get(), &MainWindow::AboutRequested, about_.get(),
                     &AboutWindow::ShowAbout);
    QObject::connect(splash_.get(), &SplashWindow::Closed, main_.get(),
                     [this] { ShowMainWindow(); });
}

void Startup::ShowMainWindow() {
    main_->show();
    main_->activateWindow();
    OfferRecovery();
    if (!dataFile_.isEmpty()) {
        main_->OpenFile(dataFile_);
    }
}

void Startup::OfferRecovery() {
    const auto left = recoveryFolder_.ClaimLeftCopy();
    if (!left) {
        return;
    }
    const auto work = ReadRecoveryCopy(left->Bytes());
    if (!work) {
        const auto aside = left->SetAside();
        const Message told = UnreadableRecoveryMessage(aside.value_or(left->Path()));
        messages_.Show(told.text, told.style, told.title);
        return;
    }
    const Message asked = RecoveryQuestion(left->Written());
    if (messages_.Show(asked.text, asked.style, asked.title) == MessageAnswer::Yes) {
        main_->Restore(*work);
        recoveryKeeper_->WriteNow(); // in this instance's copy before the old one goes
    }
    left->Remove();
}

QString DataFileArgument(const QStringList& arguments) {
    if (arguments.size() != 2 || arguments[1].isEmpty()) {
        return {};
    }
    return QFileInfo(arguments[1]).absoluteFilePath();
}

} // namespace qb
