#pragma once

#include "model/AnalysisSnapshot.h"

#include <QString>
#include <array>

namespace qb {

// The figures as the pages show them and the prediction history, for the clipboard.
struct ResultsText {
    // One "name TAB value" line a figure (an interval as two values), then the history under its
    // title and a header, one "x TAB y" line an item, followed by its level and intervals when
    // it has them, then the residuals' table.
    QString plain;
    QString html; // the same as one table, for rich-text targets
};

// The captions of the statistics page and, from the analysis, how sure its line is and the
// history and the residuals.
ResultsText ResultsForClipboard(const std::array<QString, kFigureCount>& captions,
                                const AnalysisSnapshot& analysis);

} // namespace qb
