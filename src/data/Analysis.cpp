#include "Analysis.h"

#include "NumberText.h"
#include "TextValue.h"
#include "stats/Engine.h"
#include "stats/StatisticsCaptions.h"

namespace qb {

Analysis::Analysis(QChar decimalSeparator, QObject* parent)
    : QObject(parent), separator_(decimalSeparator) {}

void Analysis::setText(Column column, int row, const QString& text) {
    QString& current = rows_[row].Text(column);
    if (current == text) {
        return;
    }
    current = text;
    emit rowChanged(row);
    invalidateStatistics();
}

void Analysis::setUsed(int row, bool used) {
    if (rows_[row].used == used) {
        return;
    }
    rows_[row].used = used;
    emit rowChanged(row);
}

void Analysis::chooseRowCount(int count) {
    rowCount_ = count;
    for (int i = 0; i < kRowCapacity; ++i) {
        const bool active = count > i;
        Row& r = rows_[i];
        const bool stateChanges = r.active != active || r.used != active;
        r.active = active;
        r.used = active;
        if (stateChanges) {
            emit rowChanged(i);
        }
        if (!active) {
            setText(Column::X, i, QString());
            setText(Column::Y, i, QString());
        }
    }
    emit rowCountChosen(count);
}

void Analysis::resetRows() {
    for (int i = 0; i < kRowCapacity; ++i) {
        Row& r = rows_[i];
        if (r.active || r.used) {
            r.active = false;
            r.used = false;
            emit rowChanged(i);
        }
        setText(Column::X, i, QString());
        setText(Column::Y, i, QString());
    }
}

void Analysis::normaliseText(Column column, int row) {
    if (busy_) {
        return;
    }
    const auto value = TextValue(rows_[row].Text(column));
    if (value) {
        setText(column, row, NumberText(*value));
    }
}

void Analysis::invalidateStatistics() {
    statsValid_ = false;
    stats_ = Statistics{};
    clearHistory();
}

bool Analysis::computeStatistics() {
    const ComputeOutcome outcome = ComputeStatistics(rows_, stats_, extremes_);
    statsValid_ = outcome.ok;
    if (!outcome.ok) {
        clearResultCaptions();
        return false;
    }
    setCaptions(StatisticsCaptions(stats_, separator_));
    return true;
}

void Analysis::clearResultCaptions() {
    setCaptions({});
}

void Analysis::setCaptions(const std::array<QString, FigureCount>& captions) {
    captions_ = captions;
    emit resultCaptionsChanged();
}

void Analysis::loadStatistics(const Statistics& stats, bool valid) {
    stats_ = stats;
    statsValid_ = valid;
}

void Analysis::replaceHistory(const QStringList& items) {
    history_ = items;
    emit historyChanged();
}

void Analysis::appendHistoryItem(const QString& item) {
    history_.append(item);
    emit historyChanged();
}

void Analysis::clearHistory() {
    if (history_.isEmpty()) {
        return;
    }
    history_.clear();
    emit historyChanged();
}

} // namespace qb
