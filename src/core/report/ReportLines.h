#pragma once

#include "model/AnalysisSnapshot.h"

#include <QChar>
#include <QList>
#include <QString>

namespace qb {

// A text piece starting at a tab column; column 1 is the left margin, a column being the
// average character width of the line's font.
struct ReportPiece {
    int column = 1;
    QString text;

    bool operator==(const ReportPiece&) const = default;
};

// One printed line in "Arial" at the given size; a line without pieces is an empty line.
struct ReportLine {
    int pointSize = 10;
    bool bold = false;
    QList<ReportPiece> pieces;

    bool operator==(const ReportLine&) const = default;
};

using Report = QList<ReportLine>;

// The printed report of the whole analysis: title, file, the 30 rows and, unless the figures
// are all 0, the statistics, the line and the prediction history.
Report ReportLines(const AnalysisSnapshot& analysis);

// The text after "NN = " in the data section: empty for an inactive row, "Non utilizzato" for
// an unchecked one, otherwise X / Y, each number in the 5-decimal pattern and anything else as
// typed.
QString ReportCellText(const DataRow& row, QChar decimalSeparator);

} // namespace qb
