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
    bool statsValid = false;
    QStringList history;
    QString fileName;
    QChar decimalSeparator = u'.';
};

} // namespace qb
