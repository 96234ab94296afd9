#pragma once

#include <QAccessibleWidget>

namespace qb {

// What a screen reader is given of a widget that shows text it cannot change: its name, its
// whole text as value and as a text to read by character, word or line.
class ReadOnlyTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    ReadOnlyTextAccessible(QWidget* widget, QAccessible::Role role);

    // The text as read, which may differ from the text drawn.
    virtual QString WholeText() const = 0;

    void* interface_cast(QAccessible::InterfaceType t) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return int(WholeText().size()); }
    // The whole widget for any character, unless a subclass knows better.
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
};

} // namespace qb
