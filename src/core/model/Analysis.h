#pragma once

#include "AnalysisSnapshot.h"
#include "AnalysisState.h"
#include "engine/Residuals.h"
#include "engine/Uncertainty.h"

#include <QObject>
#include <QStringList>
#include <array>
#include <optional>

namespace qb {

// Whether the chart shows the line's confidence and prediction bands.
enum class BandsDisplay { Hidden, Shown };

// The one owner of the program's state: the rows, the row count, the figures and their
// captions, the extremes, the shared flags, the current file and the prediction history.
// Views show it and call its operations; nothing else writes it.
class Analysis : public QObject {
    Q_OBJECT
public:
    explicit Analysis(QChar decimalSeparator, QObject* parent = nullptr);

    const DataSet& Rows() const { return rows_; }
    const DataRow& Row(int i) const { return rows_[i]; }
    int RowCount() const { return rowCount_; }
    const Statistics& Figures() const { return stats_; }
    const Extremes& Limits() const { return extremes_; }
    const std::array<QString, kFigureCount>& ResultCaptions() const { return captions_; }
    const QStringList& History() const { return history_; }
    // Beside each history item, the intervals it was predicted with; none for an item read from
    // a file.
    const QList<std::optional<ItemIntervals>>& HistoryIntervals() const {
        return historyIntervals_;
    }
    QChar DecimalSeparator() const { return separator_; }
    AnalysisSnapshot Snapshot() const;
    AnalysisState State() const;
    // Puts back what `what` names of an earlier state through the usual operations, so views
    // follow through the usual signals. Busy is set meanwhile: the program, not the user, fills.
    void Restore(const AnalysisState& state, Restoring what);
    ConfidenceLevel Level() const { return level_; }
    // How sure the line of the last computation is at the level; nullopt without figures.
    const std::optional<Uncertainty>& LineUncertainty() const { return uncertainty_; }
    // The intervals around that line at the last predicted X.
    std::optional<PredictionIntervals> IntervalsAtPrediction() const;
    // Each row in use against the line of the last computation; nullopt without figures.
    const std::optional<ResidualFigures>& Residuals() const { return residuals_; }

    bool StatsValid() const { return statsState_ == StatsState::Valid; }
    // The figures while they describe the rows.
    std::optional<Statistics> ValidFigures() const;
    bool Busy() const { return busy_; }
    void SetBusy(bool busy) { busy_ = busy; }
    const QString& CurrentFileName() const { return currentFileName_; }
    void SetCurrentFileName(const QString& name) { currentFileName_ = name; }

    // Whether what a data file records (rows, row count, history) changed since the analysis
    // was last saved, opened or begun.
    bool ChangedSinceSaved() const { return changedSinceSaved_; }
    void MarkUnchanged();

    // The change rule: a different text invalidates the statistics; the same text is no change.
    void SetText(Column column, int row, const QString& text);
    // The use flag; it invalidates nothing.
    void SetUsed(int row, bool used);
    // The row-count choice: rows below `count` become active and checked, the others inactive,
    // unchecked and empty.
    void ChooseRowCount(int count);
    // Every row inactive, unchecked and empty, as before the first row-count choice.
    void ResetRows();
    // The focus-loss rule: the text rewritten in its normal form, unless Busy is set or the
    // text overflows.
    void NormaliseText(Column column, int row);

    void InvalidateStatistics();
    // Runs the engine; on success fills the result captions, on failure empties them. The
    // result becomes StatsValid.
    bool ComputeStatistics();
    void ClearResultCaptions();
    // The level of the uncertainty's figures: they are recomputed, nothing is invalidated.
    void SetLevel(ConfidenceLevel level);
    void SetPredictedX(const mpq_class& x) { predictedX_ = x; }
    BandsDisplay Bands() const { return bands_; }
    // Whether the chart shows the bands; like the level, it invalidates nothing.
    void SetBands(BandsDisplay bands);

    // Figures read from a data file: kept as stored, without captions, until the next
    // computation.
    void LoadStatistics(const Statistics& stats, StatsState state);

    void AppendHistoryItem(const QString& item,
                           const std::optional<ItemIntervals>& intervals = std::nullopt);
    // The whole history at once, as a data file holds it.
    void ReplaceHistory(const QStringList& items);
    void ClearHistory();

signals:
    void RowChanged(int row);
    void RowCountChosen(int count);
    void ResultCaptionsChanged();
    void HistoryChanged();
    void StatsValidChanged();
    void UncertaintyChanged();
    void BandsChanged();
    void ResidualsChanged();
    // Each change that ChangedSinceSaved records, and its end.
    void Edited();
    void MarkedUnchanged();

private:
    void RestoreRows(const AnalysisSnapshot& state);
    void SetHistory(const QStringList& items, const QList<std::optional<ItemIntervals>>& intervals);
    void SetStatsState(StatsState state);
    void SetCaptions(const std::array<QString, kFigureCount>& captions);
    void SetSums(const std::optional<RegressionSums>& sums);
    void SetResiduals(std::optional<ResidualFigures> residuals);
    void NoteEdit();

    QChar separator_;
    DataSet rows_;
    int rowCount_ = 0;
    Statistics stats_;
    Extremes extremes_;
    std::array<QString, kFigureCount> captions_;
    QStringList history_;
    QList<std::optional<ItemIntervals>> historyIntervals_;
    StatsState statsState_ = StatsState::Invalid;
    bool busy_ = false;
    QString currentFileName_;
    ConfidenceLevel level_ = ConfidenceLevel::Percent95;
    std::optional<RegressionSums> sums_; // of the last computation, for a change of level
    std::optional<Uncertainty> uncertainty_;
    std::optional<mpq_class> predictedX_;
    BandsDisplay bands_ = BandsDisplay::Hidden;
    std::optional<ResidualFigures> residuals_;
    bool changedSinceSaved_ = false;
};

// Sets Busy for its lifetime and clears it on the way out, whatever the exit. Busy stays a plain
// flag, not a count: an inner scope that ends clears it for the outer one too, as the program
// always had it.
class BusyScope {
public:
    explicit BusyScope(Analysis& analysis) : analysis_(analysis) { analysis_.SetBusy(true); }
    ~BusyScope() { analysis_.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Analysis& analysis_;
};

} // namespace qb
