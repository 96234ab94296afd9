#include "Analysis.h"

#include "engine/Engine.h"
#include "engine/StatisticsCaptions.h"
#include "numbers/NumberText.h"
#include "numbers/TextValue.h"

namespace qb {

Analysis::Analysis(QChar decimalSeparator, QObject* parent)
    : QObject(parent), separator_(decimalSeparator) {}

AnalysisSnapshot Analysis::Snapshot() const {
    return {rows_, rowCount_, stats_, statsValid_, history_, currentFileName_, separator_};
}

void Analysis::SetText(Column column, int row, const QString& text) {
    QString& current = rows_[row].Text(column);
    if (current == text) {
        return;
    }
    current = text;
    emit RowChanged(row);
    InvalidateStatistics();
}

void Analysis::SetUsed(int row, bool used) {
    if (rows_[row].used == used) {
        return;
    }
    rows_[row].used = used;
    emit RowChanged(row);
}

void Analysis::ChooseRowCount(int count) {
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
    const auto value = TextValue(rows_[row].Text(column));
    if (value) {
        SetText(column, row, NumberText(*value));
    }
}

void Analysis::InvalidateStatistics() {
    SetStatsValid(false);
    stats_ = Statistics{};
    ClearHistory();
}

bool Analysis::ComputeStatistics() {
    const ComputeOutcome outcome = qb::ComputeStatistics(rows_, stats_, extremes_);
    SetStatsValid(outcome.ok);
    if (!outcome.ok) {
        ClearResultCaptions();
        return false;
    }
    SetCaptions(StatisticsCaptions(stats_, separator_));
    return true;
}

void Analysis::ClearResultCaptions() {
    SetCaptions({});
}

void Analysis::SetStatsValid(bool valid) {
    if (statsValid_ != valid) {
        statsValid_ = valid;
        emit StatsValidChanged();
    }
}

void Analysis::SetCaptions(const std::array<QString, kFigureCount>& captions) {
    captions_ = captions;
    emit ResultCaptionsChanged();
}

void Analysis::LoadStatistics(const Statistics& stats, bool valid) {
    stats_ = stats;
    SetStatsValid(valid);
}

void Analysis::ReplaceHistory(const QStringList& items) {
    history_ = items;
    emit HistoryChanged();
}

void Analysis::AppendHistoryItem(const QString& item) {
    history_.append(item);
    emit HistoryChanged();
}

void Analysis::ClearHistory() {
    if (history_.isEmpty()) {
        return;
    }
    history_.clear();
    emit HistoryChanged();
}

} // namespace qb
