#include "ReadOnlyTextAccessible.h"

#include <QWidget>

namespace qb {

ReadOnlyTextAccessible::ReadOnlyTextAccessible(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role) {}

void* ReadOnlyTextAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

QAccessible::State ReadOnlyTextAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
}

QString ReadOnlyTextAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Value ? WholeText() : QAccessibleWidget::text(t);
}

void ReadOnlyTextAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = 0;
}

QString ReadOnlyTextAccessible::text(int startOffset, int endOffset) const {
    return WholeText().mid(startOffset, endOffset - startOffset);
}

QRect ReadOnlyTextAccessible::characterRect(int) const {
    return rect();
}

int ReadOnlyTextAccessible::offsetAtPoint(const QPoint& point) const {
    return rect().contains(point) ? 0 : -1;
}

QString ReadOnlyTextAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

} // namespace qb
