#include "UndoHistory.h"

#include "model/Analysis.h"

#include <utility>

namespace qb {
namespace {

class Step final : public QUndoCommand {
public:
    Step(Analysis& analysis, const QString& name, Restoring what, AnalysisState before,
         AnalysisState after)
        : QUndoCommand(name), analysis_(analysis), what_(what), before_(std::move(before)),
          after_(std::move(after)) {}

    Restoring What() const { return what_; }
    void undo() override { analysis_.Restore(before_, what_); }
    // The stack redoes what it is given; the step is recorded once it has been done.
    void redo() override {
        if (!std::exchange(firstRun_, false)) {
            analysis_.Restore(after_, what_);
        }
    }

private:
    Analysis& analysis_;
    Restoring what_;
    AnalysisState before_;
    AnalysisState after_;
    bool firstRun_ = true;
};

// Read on every keystroke, so from the Analysis itself rather than from a copy of it.
bool SameRows(const AnalysisSnapshot& a, const Analysis& b) {
    return a.rowCount == b.RowCount() && a.rows == b.Rows();
}

// The figures follow the rows, their state and the file read, so they need no comparing.
bool SameWork(const AnalysisState& a, const AnalysisState& b) {
    return a.snapshot.rowCount == b.snapshot.rowCount && a.snapshot.rows == b.snapshot.rows &&
           a.snapshot.history == b.snapshot.history &&
           a.snapshot.statsState == b.snapshot.statsState &&
           a.snapshot.fileName == b.snapshot.fileName && a.snapshot.level == b.snapshot.level;
}

// A settled edit of the data page by what it changed: the row count, else a text, else a box.
QString EditName(const AnalysisSnapshot& before, const Analysis& after) {
    if (before.rowCount != after.RowCount()) {
        return QStringLiteral("scelta di %1 misure").arg(after.RowCount());
    }
    for (int i = 0; i < kRowCapacity; ++i) {
        for (Column c : {Column::X, Column::Y}) {
            if (before.rows[i].Text(c) != after.Row(i).Text(c)) {
                return QStringLiteral("modifica di %1(%2)")
                    .arg(c == Column::X ? QStringLiteral("X") : QStringLiteral("Y"))
                    .arg(i + 1);
            }
        }
    }
    for (int i = 0; i < kRowCapacity; ++i) {
        if (before.rows[i].used != after.Row(i).used) {
            return (after.Row(i).used ? QStringLiteral("inclusione del Dato %1")
                                      : QStringLiteral("esclusione del Dato %1"))
                .arg(i + 1);
        }
    }
    return {};
}

} // namespace

UndoHistory::UndoHistory(Analysis& analysis, QObject* parent)
    : QObject(parent), analysis_(analysis), settled_(analysis.State()) {
    connect(&stack_, &QUndoStack::indexChanged, this, &UndoHistory::Changed);
    // Typing that starts or is taken back changes what "Annulla" does.
    connect(&analysis_, &Analysis::RowChanged, this, &UndoHistory::Changed);
}

Outcome UndoHistory::Record(const QString& name, Restoring what,
                            const std::function<Outcome()>& command) {
    SettleEdit(); // the typing in the field left for the command stays a step of its own
    const AnalysisState before = analysis_.State();
    const Outcome outcome = command();
    if (!SameWork(before, analysis_.State())) {
        Push(name, what, before);
    }
    return outcome;
}

void UndoHistory::SettleEdit() {
    // While the program fills the rows, the focus moves without the user.
    if (analysis_.Busy() || !TypingPending()) {
        return;
    }
    Push(EditName(settled_.snapshot, analysis_), Restoring::Rows, settled_);
}

void UndoHistory::Reset() {
    stack_.clear();
    settled_ = analysis_.State();
    emit Changed();
}

void UndoHistory::Push(const QString& name, Restoring what, AnalysisState before) {
    settled_ = analysis_.State();
    stack_.push(new Step(analysis_, name, what, std::move(before), settled_));
}

bool UndoHistory::TypingPending() const {
    return !SameRows(settled_.snapshot, analysis_);
}

void UndoHistory::Undo() {
    if (TypingPending()) {
        analysis_.Restore(settled_, Restoring::Rows);
        emit Restored(Restoring::Rows);
        emit Changed();
        return;
    }
    if (stack_.canUndo()) {
        Walk(static_cast<const Step*>(stack_.command(stack_.index() - 1))->What(),
             &QUndoStack::undo);
    }
}

void UndoHistory::Redo() {
    // Typing not yet settled will be a step that takes the place of those undone.
    if (!TypingPending() && stack_.canRedo()) {
        Walk(static_cast<const Step*>(stack_.command(stack_.index()))->What(), &QUndoStack::redo);
    }
}

void UndoHistory::Walk(Restoring what, void (QUndoStack::*move)()) {
    (stack_.*move)();
    settled_ = analysis_.State();
    emit Restored(what);
    emit Changed();
}

QString UndoHistory::UndoName() const {
    return TypingPending() ? EditName(settled_.snapshot, analysis_) : stack_.undoText();
}

QString UndoHistory::RedoName() const {
    return TypingPending() ? QString() : stack_.redoText();
}

} // namespace qb
