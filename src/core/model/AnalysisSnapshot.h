#pragma once

#include "engine/DataSet.h"
#include "engine/Statistics.h"

#include <QChar>
#include <QString>
#include <QStringList>

namespace qb {

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

    bool StatsValid() const { return statsState == StatsState::Valid; }
};

} // namespace qb
