#pragma once

#include "system/ProgramVersion.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace qb {

class Launcher;
class MessageBox;
class SystemInfoLocation;

// What the About window asks of the desktop, for its system-information button.
struct SystemServices {
    const SystemInfoLocation& sysInfo;
    Launcher& launcher;
    MessageBox& messages;
};

// Name, version, picture and credits of the program. While it is open the main window is
// disabled; closing it by OK or by its close box gives the main window back. Ctrl+Alt+F1 on OK
// reveals the system-information button until the window is closed. As a dialog, Esc closes it
// and Enter presses the focused button.
class AboutWindow final : public QDialog {
    Q_OBJECT
public:
    AboutWindow(QWidget& mainWindow, SystemServices services, ProgramVersion version);

    QPushButton* cmdOK() const { return ok_; }
    QPushButton* cmdSysInfo() const { return sysInfo_; }

    // Shows the window, loading it again first when it was closed.
    void ShowAbout();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override { close(); }
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildControls();
    void Form_Load();
    void Unload();
    void ReturnToMainWindow(); // OK

    QWidget& main_;
    SystemServices services_;
    ProgramVersion programVersion_;
    bool loaded_ = false;
    QLabel* title_ = nullptr;
    QLabel* version_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* sysInfo_ = nullptr;
};

} // namespace qb
