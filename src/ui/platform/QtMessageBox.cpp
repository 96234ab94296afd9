#include "QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace qb {
namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QtMessageBox::Show(const QString& text, MessageStyle style, const QString& title) {
    const auto buttons = style.buttons == MessageButtons::YesNo
                             ? QMessageBox::Yes | QMessageBox::No
                             : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(QtIcon(style.icon), title, text, buttons, QApplication::activeWindow());
    if (style.foreground) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace qb
