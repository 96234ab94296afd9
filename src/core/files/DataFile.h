#pragma once

#include "ProfileText.h"
#include "model/AnalysisSnapshot.h"

#include <QByteArray>
#include <QStringList>

namespace qb {

class Analysis;

inline const QString kProgramIdentifier = QStringLiteral("QUANTORELLE");

// The analysis as the bytes of a data file: every row section with all 30 rows, the figures
// only while they are valid, the history only with them; CR LF after every line.
QByteArray DataFileBytes(const AnalysisSnapshot& analysis);

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

// Puts the parts read into the analysis, in the file's order: the row count and the rows, the
// figures (valid when their means and deviations are not all 0; kept as stored, without
// captions) and the history.
void ApplyDataFile(const DataFileContent& content, Analysis& analysis);

} // namespace qb
