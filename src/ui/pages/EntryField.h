#pragma once

#include "numbers/KeyFilter.h"

#include <QClipboard>
#include <QLineEdit>

namespace qb {

// A line edit whose typed characters pass a key filter first. Control characters (Ctrl+letter)
// count as characters, so clipboard and undo shortcuts are refused and window shortcuts such as
// Ctrl+X reach the menu; keys that type nothing (arrows, Delete, Home, End, Ctrl+A selecting the
// text) edit as usual. The comma and the keypad's decimal key type the point.
//
// Only a move of the focus to another control of the same window is a focus change of the field:
// a menu, a dialog, a message box or another program taking the focus leaves the field where it
// was, and their return is no focus gain.
//
// A paste (its keys, the context menu, the middle button) goes in only as the same characters
// typed would; otherwise the field beeps and keeps its text.
class EntryField : public QLineEdit {
    Q_OBJECT
public:
    using Filter = EntryKeyFilter;

    explicit EntryField(Filter filter, QWidget* parent = nullptr);

signals:
    void EnterPressed();
    // Focus moved to another control of the same window.
    void FocusLost();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void PasteFrom(QClipboard::Mode mode);

    Filter filter_;
    bool interrupted_ = false; // the focus went elsewhere than to a control of this window
};

} // namespace qb
