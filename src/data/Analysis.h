#pragma once

#include "Rows.h"
#include "Statistics.h"

#include <QObject>
#include <QStringList>
#include <array>

namespace qb {

// The one owner of the program's state: the rows, the row count, the figures and their
// captions, the extremes, the shared flags, the current file and the prediction history.
// Views show it and call its operations; nothing else writes it.
class Analysis : public QObject {
    Q_OBJECT
public:
    explicit Analysis(QChar decimalSeparator, QObject* parent = nullptr);

    const Rows& rows() const { return rows_; }
    const Row& row(int i) const { return rows_[i]; }
    int rowCount() const { return rowCount_; }
    const Statistics& statistics() const { return stats_; }
    const Extremes& extremes() const { return extremes_; }
    const std::array<QString, FigureCount>& resultCaptions() const { return captions_; }
    const QStringList& history() const { return history_; }
    QChar decimalSeparator() const { return separator_; }

    bool statsValid() const { return statsValid_; }
    bool busy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }
    bool chartOk() const { return chartOk_; }
    void setChartOk(bool ok) { chartOk_ = ok; }
    const QString& currentFileName() const { return currentFileName_; }
    void setCurrentFileName(const QString& name) { currentFileName_ = name; }

    // The change rule: a different text invalidates the statistics; the same text is no change.
    void setText(Column column, int row, const QString& text);
    // The use flag; it invalidates nothing.
    void setUsed(int row, bool used);
    // The row-count choice: rows below `count` become active and checked, the others inactive,
    // unchecked and empty.
    void chooseRowCount(int count);
    // Every row inactive, unchecked and empty, as before the first row-count choice.
    void resetRows();
    // The focus-loss rule: the text rewritten in its normal form, unless Busy is set or the
    // text overflows.
    void normaliseText(Column column, int row);

    void invalidateStatistics();
    // Runs the engine; on success fills the result captions, on failure empties them. The
    // result becomes StatsValid.
    bool computeStatistics();
    void clearResultCaptions();

    // Figures read from a data file: kept as stored, without captions, until the next
    // computation.
    void loadStatistics(const Statistics& stats, bool valid);

    void appendHistoryItem(const QString& item);
    // The whole history at once, as a data file holds it.
    void replaceHistory(const QStringList& items);
    void clearHistory();

signals:
    void rowChanged(int row);
    void rowCountChosen(int count);
    void resultCaptionsChanged();
    void historyChanged();

private:
    void setCaptions(const std::array<QString, FigureCount>& captions);

    QChar separator_;
    Rows rows_;
    int rowCount_ = 0;
    Statistics stats_;
    Extremes extremes_;
    std::array<QString, FigureCount> captions_;
    QStringList history_;
    bool statsValid_ = false;
    bool busy_ = false;
    bool chartOk_ = false;
    QString currentFileName_;
};

} // namespace qb
