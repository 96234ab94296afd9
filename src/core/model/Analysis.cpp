#include "Analysis.h"

#include "engine/Engine.h"
#include "engine/StatisticsCaptions.h"
#include "numbers/NumberText.h"

namespace qb {

Analysis::Analysis(QChar decimalSeparator, QObject* parent)
    : QObject(parent), separator_(decimalSeparator) {}

AnalysisSnapshot Analysis::Snapshot() const {
    return {rows_,
            rowCount_,
            stats_,
            statsState_,
            history_,
            currentFileName_,
            separator_,
            historyIntervals_,
            level_,
            StatsValid() && uncertainty_ ? std::optional(uncertainty_->Figures()) : std::nullopt,
            StatsValid() ? residuals_ : std::nullopt};
}

AnalysisState Analysis::State() const {
    return {Snapshot()};
}

void Analysis::Restore(const AnalysisState& state, Restoring what) {
    const BusyScope busy(*this);
    if (what != Restoring::History) {
        RestoreRows(state.snapshot);
    }
    if (what == Restoring::Everything) {
        // As after opening a file: the figures as stored, their captions at the next computation.
        ClearResultCaptions();
        LoadStatistics(state.snapshot.figures, state.snapshot.statsState);
        SetLevel(state.snapshot.level);
        SetCurrentFileName(state.snapshot.fileName);
    }
    if (what != Restoring::Rows) {
        SetHistory(state.snapshot.history, state.snapshot.historyIntervals);
    }
}

// Texts and boxes exactly as they were, which the row-count choice alone would not give back.
void Analysis::RestoreRows(const AnalysisSnapshot& state) {
    const bool countChanges = rowCount_ != state.rowCount;
    rowCount_ = state.rowCount;
    for (int i = 0; i < kRowCapacity; ++i) {
        const DataRow& row = state.rows[i];
        if (rows_[i].active != row.active) {
            rows_[i].active = row.active;
            emit RowChanged(i);
        }
        SetText(Column::X, i, row.x.Text());
        SetText(Column::Y, i, row.y.Text());
        SetUsed(i, row.used);
    }
    if (countChanges) {
        emit RowCountChosen(rowCount_);
    }
}

std::optional<Statistics> Analysis::ValidFigures() const {
    return StatsValid() ? std::optional(stats_) : std::nullopt;
}

void Analysis::SetText(Column column, int row, const QString& text) {
    Entry& current = rows_[row].Text(column);
    if (current.Text() == text) {
        return;
    }
    current = text;
    emit RowChanged(row);
    NoteEdit();
    InvalidateStatistics();
}

void Analysis::SetUsed(int row, bool used) {
    if (rows_[row].used == used) {
        return;
    }
    rows_[row].used = used;
    emit RowChanged(row);
    NoteEdit();
}

void Analysis::ChooseRowCount(int count) {
    if (rowCount_ != count) {
        NoteEdit();
    }
    rowCount_ = count;
    for (int i = 0; i < kRowCapacity; ++i) {
        const bool active = count > i;
        DataRow& r = rows_[i];
        const bool stateChanges = r.active != active || r.used != active;
        r.active = active;
        r.used = active;
        if (stateChanges) {
            emit RowChanged(i);
        }
        if (!active) {
            SetText(Column::X, i, QString());
            SetText(Column::Y, i, QString());
        }
    }
    emit RowCountChosen(count);
}

void Analysis::ResetRows() {
    for (int i = 0; i < kRowCapacity; ++i) {
        DataRow& r = rows_[i];
        if (r.active || r.used) {
            r.active = false;
            r.used = false;
            emit RowChanged(i);
        }
        SetText(Column::X, i, QString());
        SetText(Column::Y, i, QString());
    }
}

void Analysis::NormaliseText(Column column, int row) {
    if (busy_) {
        return;
    }
    if (const auto& number = rows_[row].Text(column).Number()) {
        SetText(column, row, NumberText(number->value));
    }
}

void Analysis::InvalidateStatistics() {
    SetStatsState(StatsState::Invalid);
    stats_ = Statistics{};
    ClearHistory();
}

bool Analysis::ComputeStatistics() {
    const ComputeOutcome outcome = qb::ComputeStatistics(rows_, stats_, extremes_);
    SetStatsState(outcome.ok ? StatsState::Valid : StatsState::Invalid);
    if (!outcome.ok) {
        ClearResultCaptions();
        return false;
    }
    SetCaptions(StatisticsCaptions(stats_, separator_));
    SetSums(outcome.sums);
    SetResiduals(ResidualsOf(rows_));
    return true;
}

void Analysis::ClearResultCaptions() {
    SetCaptions({});
    SetSums(std::nullopt);
    SetResiduals(std::nullopt);
}

void Analysis::SetLevel(ConfidenceLevel level) {
    level_ = level;
    SetSums(sums_);
}

void Analysis::SetSums(const std::optional<RegressionSums>& sums) {
    sums_ = sums;
    uncertainty_ = sums_ ? Uncertainty::Of(*sums_, level_) : std::nullopt;
    emit UncertaintyChanged();
}

void Analysis::SetBands(BandsDisplay bands) {
    if (bands_ != bands) {
        bands_ = bands;
        emit BandsChanged();
    }
}

void Analysis::SetResiduals(std::optional<ResidualFigures> residuals) {
    residuals_ = std::move(residuals);
    emit ResidualsChanged();
}

std::optional<PredictionIntervals> Analysis::IntervalsAtPrediction() const {
    if (!uncertainty_ || !predictedX_) {
        return std::nullopt;
    }
    return uncertainty_->At(*predictedX_);
}

void Analysis::SetStatsState(StatsState state) {
    if (statsState_ != state) {
        statsState_ = state;
        emit StatsValidChanged();
    }
}

void Analysis::SetCaptions(const std::array<QString, kFigureCount>& captions) {
    captions_ = captions;
    emit ResultCaptionsChanged();
}

void Analysis::LoadStatistics(const Statistics& stats, StatsState state) {
    stats_ = stats;
    SetStatsState(state);
}

void Analysis::ReplaceHistory(const QStringList& items) {
    SetHistory(items, QList<std::optional<ItemIntervals>>(items.size()));
}

void Analysis::SetHistory(const QStringList& items,
                          const QList<std::optional<ItemIntervals>>& intervals) {
    history_ = items;
    historyIntervals_ = intervals;
    emit HistoryChanged();
    NoteEdit();
}

void Analysis::AppendHistoryItem(const QString& item,
                                 const std::optional<ItemIntervals>& intervals) {
    history_.append(item);
    historyIntervals_.append(intervals);
    emit HistoryChanged();
    NoteEdit();
}

void Analysis::ClearHistory() {
    if (history_.isEmpty()) {
        return;
    }
    history_.clear();
    historyIntervals_.clear();
    emit HistoryChanged();
    NoteEdit();
}

void Analysis::MarkUnchanged() {
    changedSinceSaved_ = false;
    emit MarkedUnchanged();
}

void Analysis::NoteEdit() {
    changedSinceSaved_ = true;
    emit Edited();
}

} // namespace qb
