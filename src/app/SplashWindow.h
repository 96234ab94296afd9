#pragma once

#include "ProgramVersion.h"

#include <QWidget>
#include <chrono>

class QFrame;
class QLabel;
class QTimer;

namespace qb {

inline constexpr std::chrono::milliseconds kSplashTime{3000};

// The first window: product name, version and picture, on screen while the rest of the program
// loads. It gives way once, at the first character key, click on its frame or tick of its timer.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(ProgramVersion version, std::chrono::milliseconds showTime = kSplashTime);

    QFrame* Frame1() const { return frame_; }
    QLabel* lblProductName() const { return productName_; }
    QLabel* lblVersion() const { return version_; }
    QTimer* Timer1() const { return timer_; }

    // Shows the splash in front of everything and paints it before the caller goes on loading.
    void ShowInFront();
    void CloseSplash();

signals:
    void closed(); // the main window's turn

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildControls();

    QFrame* frame_ = nullptr;
    QLabel* productName_ = nullptr;
    QLabel* version_ = nullptr;
    QTimer* timer_ = nullptr;
};

} // namespace qb
