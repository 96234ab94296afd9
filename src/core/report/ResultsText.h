#pragma once

#include "engine/Statistics.h"

#include <QString>
#include <QStringList>
#include <array>

namespace qb {

// The figures as the statistics page shows them and the prediction history, for the clipboard.
struct ResultsText {
    QString plain; // one "name TAB value" line a figure, then the history, one item a line
    QString html;  // the same as a table, for rich-text targets
};

ResultsText ResultsForClipboard(const std::array<QString, kFigureCount>& captions,
                                const QStringList& history);

} // namespace qb
