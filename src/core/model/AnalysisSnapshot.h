#pragma once

#include "engine/DataSet.h"
#include "engine/Residuals.h"
#include "engine/Statistics.h"
#include "engine/Uncertainty.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <optional>

namespace qb {

// A prediction's two intervals at the level current when it was made.
struct ItemIntervals {
    ConfidenceLevel level = ConfidenceLevel::Percent95;
    PredictionIntervals intervals;
};

// The Analysis as it stands at one moment, as plain data: what the file writer and the report
// read, so that each can be tested with a literal table of rows.
struct AnalysisSnapshot {
    DataSet rows;
    int rowCount = 0;
    Statistics figures;
    StatsState statsState = StatsState::Invalid;
    QStringList history;
    QString fileName;
    QChar decimalSeparator = u'.';
    // Beside each history item: the intervals of one predicted in this session, none for one
    // read from a file.
    QList<std::optional<ItemIntervals>> historyIntervals;
    ConfidenceLevel level = ConfidenceLevel::Percent95;
    // How sure the line of this session's last computation is; none otherwise.
    std::optional<UncertaintyFigures> uncertainty;
    // The residuals of that computation, which a box unticked since then does not change.
    std::optional<ResidualFigures> residuals;

    bool StatsValid() const { return statsState == StatsState::Valid; }
};

} // namespace qb
