#include "Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qb {

void CentreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    QRect frame(QPoint(), window.size());
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace qb
