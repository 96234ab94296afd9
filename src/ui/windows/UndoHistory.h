#pragma once

#include "model/AnalysisState.h"
#include "session/Outcome.h"

#include <QObject>
#include <QUndoStack>
#include <functional>

namespace qb {

class Analysis;

// The steps "Annulla" and "Ripeti" walk, each holding the analysis before and after it. The
// commands are recorded around their run; the edits of the data page become a step once settled
// (a field left, a box clicked, a row count chosen), named after what they changed. Typing not
// yet settled is undone first, back to the rows the field was entered with.
class UndoHistory final : public QObject {
    Q_OBJECT
public:
    explicit UndoHistory(Analysis& analysis, QObject* parent = nullptr);

    // Runs a command as one step named `name`; a command that changed nothing leaves none.
    Outcome Record(const QString& name, Restoring what, const std::function<Outcome()>& command);
    // The data page's edits since the last step become one.
    void SettleEdit();
    // The analysis as it stands is where the history begins.
    void Reset();

    void Undo();
    void Redo();
    // What the menu entries name; empty when there is nothing to undo or redo.
    QString UndoName() const;
    QString RedoName() const;

signals:
    // What can be undone or redone may have changed.
    void Changed();
    // A step was undone or redone; the pages follow what it put back.
    void Restored(Restoring what);

private:
    bool TypingPending() const;
    void Push(const QString& name, Restoring what, AnalysisState before);
    void Walk(Restoring what, void (QUndoStack::*move)());

    Analysis& analysis_;
    QUndoStack stack_;
    AnalysisState settled_; // after the last step: what typing not yet settled goes back to
};

} // namespace qb
