#include "EntryField.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <optional>
#include <utility>

namespace qb {
namespace {

bool IsControlLetter(const QKeyEvent& e) {
    const auto mods = e.modifiers();
    return (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && e.key() >= Qt::Key_A &&
           e.key() <= Qt::Key_Z;
}

// The character a key event types, as the filter sees it; nullopt for keys that type nothing.
std::optional<char16_t> CharacterCode(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnterKey;
    case Qt::Key_Backspace:
        return e.modifiers() & Qt::ControlModifier ? char16_t(127) : kBackspaceKey;
    case Qt::Key_Escape:
        return char16_t(27);
    default:
        break;
    }
    if (IsControlLetter(e)) {
        return char16_t(e.key() - Qt::Key_A + 1);
    }
    // The keypad's decimal key types "," or "." depending on the layout; either is the point.
    const bool keypadSeparator = (e.modifiers() & Qt::KeypadModifier) &&
                                 (e.key() == Qt::Key_Period || e.key() == Qt::Key_Comma);
    const QString text = e.text();
    if (keypadSeparator || text == QStringLiteral(",")) {
        return u'.';
    }
    if (text.isEmpty() || (text.size() == 1 && text[0].unicode() == 127)) {
        return std::nullopt;
    }
    return text.size() == 1 ? text[0].unicode() : char16_t(0xFFFF);
}

// The standard menu's paste entry, known by the shortcut its text shows, whatever the language.
QAction* PasteAction(const QMenu& menu) {
    const QString key =
        u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu.actions()) {
        if (action->text().endsWith(key)) {
            action->setObjectName(QStringLiteral("edit-paste"));
            return action;
        }
    }
    return nullptr;
}

} // namespace

EntryField::EntryField(Filter filter, QWidget* parent) : QLineEdit(parent), filter_(filter) {
    // A drop would put text in past the filter; a data file dropped here reaches the window.
    setAcceptDrops(false);
}

bool EntryField::event(QEvent* e) {
    if (e->type() == QEvent::ShortcutOverride && IsControlLetter(*static_cast<QKeyEvent*>(e))) {
        e->ignore(); // let the window's shortcut run, or the key reach the filter
        return true;
    }
    return QLineEdit::event(e);
}

void EntryField::keyPressEvent(QKeyEvent* e) {
    if (e->matches(QKeySequence::Paste)) {
        e->accept();
        PasteFrom(QClipboard::Clipboard);
        return;
    }
    if (e->matches(QKeySequence::SelectAll)) { // types nothing, as in any field
        e->accept();
        selectAll();
        return;
    }
    const auto code = CharacterCode(*e);
    if (!code) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const KeyDecision decision = filter_(text(), *code);
    if (decision.replacement) {
        setText(*decision.replacement);
        setCursorPosition(int(text().size()));
    }
    if (decision.navigate) {
        e->accept();
        emit EnterPressed();
    } else if (decision.accepted && *code == u'.' && e->text() != QStringLiteral(".")) {
        insert(QStringLiteral(".")); // a comma or the keypad's separator, typed as the point
    } else if (decision.accepted) {
        QLineEdit::keyPressEvent(e);
    } else {
        e->accept();
    }
}

void EntryField::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (!std::exchange(interrupted_, false) && !text().isEmpty()) {
        selectAll();
    }
}

void EntryField::focusOutEvent(QFocusEvent* e) {
    // The focus widget is already the one that takes over: none when the window was deactivated
    // or disabled; still this field, or the menu bar, while a menu is open.
    const QWidget* next = QApplication::focusWidget();
    const bool movedWithinWindow = next && next != this && next->window() == window() &&
                                   e->reason() != Qt::PopupFocusReason &&
                                   e->reason() != Qt::MenuBarFocusReason;
    if (!movedWithinWindow) {
        interrupted_ = true;
        // Treated as a deactivation, which keeps the selection and the caret for the return.
        QFocusEvent kept(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QLineEdit::focusOutEvent(&kept);
        return;
    }
    QLineEdit::focusOutEvent(e);
    emit FocusLost();
}

void EntryField::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QAction* paste = PasteAction(*menu)) {
        paste->disconnect();
        connect(paste, &QAction::triggered, this, [this] { PasteFrom(QClipboard::Clipboard); });
    }
    menu->popup(e->globalPos());
}

void EntryField::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton && QApplication::clipboard()->supportsSelection()) {
        e->accept(); // the press has put the caret where the button is
        PasteFrom(QClipboard::Selection);
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void EntryField::PasteFrom(QClipboard::Mode mode) {
    const bool selected = hasSelectedText();
    const EntryState field{.text = text(),
                           .caret = cursorPosition(),
                           .selectionStart = selected ? int(selectionStart()) : 0,
                           .selectionLength = selected ? int(selectedText().size()) : 0};
    const auto pasted =
        PasteIntoEntry(field, QApplication::clipboard()->text(mode), filter_, maxLength());
    if (!pasted) {
        QApplication::beep();
        return;
    }
    if (pasted->text != text()) {
        setText(pasted->text);
    }
    setCursorPosition(pasted->caret);
}

} // namespace qb
