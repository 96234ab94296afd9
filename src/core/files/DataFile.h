#pragma once

#include "ProfileText.h"
#include "engine/DataSet.h"
#include "engine/Statistics.h"

#include <QByteArray>
#include <QStringList>

namespace qb {

class Analysis;

inline const QString kProgramIdentifier = QStringLiteral("QUANTORELLE");

// The analysis as the bytes of a data file: every row section with all 30 rows, the figures
// only while they are valid, the history only with them; CR LF after every line.
QByteArray DataFileBytes(const Analysis& analysis);

// What a data file holds, read in the fixed order identifier, row count, rows, figures,
// history. Reading stops at the first part that is wrong; the parts before it are valid.
struct DataFileContent {
    enum class Stop { NotDataFile, RowCount, Statistics, ItemCount, None };

    Stop stop = Stop::None;
    int rowCount = 0;
    DataSet rows;          // the first rowCount rows: texts and use flags
    Statistics statistics; // as stored, not recomputed
    QStringList history;

    bool Reaches(Stop part) const { return stop > part; }
};

DataFileContent ReadDataFile(const ProfileText& profile);

// Valid figures are those whose means and deviations are not all 0; the coefficients do not
// count.
bool StoredStatisticsValid(const Statistics& statistics);

} // namespace qb
