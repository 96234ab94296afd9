#include "SplashWindow.h"

#include "Pictures.h"
#include "Placement.h"
#include "SplashFirstFrame.h"

#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace qb {
namespace {

constexpr QSize kSplashSize(660, 280);
constexpr QSize kPictureSize(200, 200);
constexpr std::chrono::milliseconds kFirstFrameWait{500};

QFont ArialFont(int pointSize, QFont::Weight weight) {
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setWeight(weight);
    return font;
}

// Keys that type something: Enter, Esc and Backspace count, modifiers and function keys do not.
bool TypesACharacter(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
        return true;
    default:
        return !e->text().isEmpty();
    }
}

} // namespace

SplashWindow::SplashWindow(ProgramVersion version, std::chrono::milliseconds showTime)
    // Topmost from the start: the toolkit re-creates a shown window whose flags change.
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      version_(version) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(kProductName);
    setFixedSize(kSplashSize);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_QuitOnClose, false);
    preparedFrame_ = PreparedSplashFrame(SplashLook(version, *this));
    if (preparedFrame_.size() != kSplashSize) {
        preparedFrame_ = {};
        BuildControls();
    }

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(showTime);
    connect(timer_, &QTimer::timeout, this, &SplashWindow::CloseSplash);
    timer_->start();
}

void SplashWindow::BuildControls() {
    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setFrameStyle(QFrame::Box | QFrame::Raised);
    frame_->installEventFilter(this);

    auto* picture = new QLabel(frame_);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(Picture(QStringLiteral("splash"), kPictureSize, devicePixelRatioF()));

    auto* productName = new QLabel(frame_);
    productName->setObjectName(QStringLiteral("lblProductName"));
    productName->setFont(ArialFont(24, QFont::Bold));
    productName->setText(kProductName);
    auto* versionLabel = new QLabel(frame_);
    versionLabel->setObjectName(QStringLiteral("lblVersion"));
    versionLabel->setFont(ArialFont(14, QFont::Normal));
    versionLabel->setText(SplashVersionText(version_));

    auto* captions = new QVBoxLayout;
    captions->addStretch();
    captions->addWidget(productName);
    captions->addWidget(versionLabel);
    captions->addStretch();
    auto* inside = new QHBoxLayout(frame_);
    inside->setContentsMargins(24, 24, 24, 24);
    inside->setSpacing(24);
    inside->addWidget(picture);
    inside->addLayout(captions, 1);
    auto* outside = new QVBoxLayout(this);
    outside->setContentsMargins(6, 6, 6, 6);
    outside->addWidget(frame_);
}

void SplashWindow::ShowInFront() {
    CentreOnScreen(*this);
    show();
    raise();
    if (!painted_) {
        // Only an exposed window paints, and its backing store is flushed right after: the first
        // paint is the moment the pixels leave. Input waits, so that no key closes the splash
        // before the program behind it has loaded.
        QEventLoop waiting;
        waitingForPaint_ = &waiting;
        QTimer::singleShot(kFirstFrameWait, &waiting, &QEventLoop::quit);
        waiting.exec(QEventLoop::ExcludeUserInputEvents);
        waitingForPaint_ = nullptr;
    }
    // Taking the focus waits for a round trip to the X server: after the first frame.
    activateWindow();
    if (preparedFrame_.isNull()) {
        return;
    }
    // The controls take the prepared frame's place with the same pixels, laid out before they
    // show, and drawn at once in case the look differs after all (another Arial, say).
    preparedFrame_ = {};
    BuildControls();
    layout()->activate();
    frame_->show();
    repaint();
}

bool SplashWindow::OnScreen() const {
    return painted_ && isVisible() && windowHandle()->isExposed();
}

// The frame draws no background of its own, so the window paints with every frame of it.
void SplashWindow::paintEvent(QPaintEvent* e) {
    if (preparedFrame_.isNull()) {
        QWidget::paintEvent(e);
    } else {
        QPainter(this).drawImage(0, 0, preparedFrame_);
    }
    painted_ = true;
    if (waitingForPaint_) {
        waitingForPaint_->quit();
    }
}

void SplashWindow::CloseSplash() {
    timer_->stop();
    hide();
    emit Closed();
}

void SplashWindow::keyPressEvent(QKeyEvent* e) {
    if (TypesACharacter(e)) {
        CloseSplash();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool SplashWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == frame_ && e->type() == QEvent::MouseButtonRelease) {
        CloseSplash();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace qb
