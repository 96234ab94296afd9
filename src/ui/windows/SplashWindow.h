#pragma once

#include "system/ProgramVersion.h"

#include <QWidget>
#include <chrono>

class QEventLoop;
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

    // Shows the splash in front of everything and returns once its first frame has gone to the
    // window system, or after half a second if the window system never shows it.
    void ShowInFront();
    void CloseSplash();

    bool OnScreen() const; // shown and painted

signals:
    void Closed(); // the main window's turn

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void BuildControls();

    QFrame* frame_ = nullptr;
    QLabel* productName_ = nullptr;
    QLabel* version_ = nullptr;
    QTimer* timer_ = nullptr;
    bool painted_ = false;
    QEventLoop* waitingForPaint_ = nullptr;
};

} // namespace qb
