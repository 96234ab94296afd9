#pragma once

#include "engine/Statistics.h"

#include <QString>
#include <QStringList>
#include <array>

namespace qb {

// The figures as the statistics page shows them and the prediction history, for the clipboard.
struct ResultsText {
    // One "name TAB value" line a figure, then the history under its title and an "X TAB Y"
    // header, one "x TAB y" line an item.
    QString plain;
    QString html; // the same as one table, for rich-text targets
};

ResultsText ResultsForClipboard(const std::array<QString, kFigureCount>& captions,
                                const QStringList& history);

} // namespace qb
