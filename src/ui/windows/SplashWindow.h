#pragma once

#include "system/ProgramVersion.h"

#include <QImage>
#include <QWidget>
#include <chrono>

class QEventLoop;
class QFrame;
class QTimer;

namespace qb {

inline constexpr std::chrono::milliseconds kSplashTime{3000};

// The first window: product name, version and picture, on screen while the rest of the program
// loads. It gives way once, at the first character key, click on its frame or tick of its timer.
// Its first frame is the picture of itself prepared at build time, when it was drawn under the
// same look: the controls, their fonts and picture are built once that frame is on screen.
class SplashWindow final : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(ProgramVersion version, std::chrono::milliseconds showTime = kSplashTime);

    // Shows the splash in front of everything, waits until its first frame has gone to the window
    // system, or half a second if the window system never shows it, then returns with the
    // controls built and drawn.
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

    ProgramVersion version_;
    QImage preparedFrame_; // null once the controls are built
    QFrame* frame_ = nullptr;
    QTimer* timer_ = nullptr;
    bool painted_ = false;
    QEventLoop* waitingForPaint_ = nullptr;
};

} // namespace qb
