#pragma once

#include "Statistics.h"

#include <QChar>
#include <QString>
#include <array>

namespace qb {

// The eleven figures as the statistics page shows them: the means, mean squares and deviations
// with 5 decimals, the slope, intercept and correlation with 8.
std::array<QString, kFigureCount> StatisticsCaptions(const Statistics& stats,
                                                     QChar decimalSeparator);

// A figure's name in words, as a screen reader announces its result label.
QString FigureTitle(Figure f);

} // namespace qb
