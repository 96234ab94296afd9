#pragma once

#include "Statistics.h"

#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

namespace qb {

struct Prediction {
    QString y;    // the predicted Y as the page shows it
    QString item; // the history item "X = ... / Y = ..."
    mpq_class x;  // the typed X, exact
};

// Evaluates the line Y = A·x + B for a typed X (an empty text is 0). nullopt when the X text
// overflows, when there are no valid statistics to describe a line, or when the result lies
// beyond the 64-bit float range: each is a data error for the user.
std::optional<Prediction> Predict(QStringView xText, const std::optional<Statistics>& stats,
                                  QChar decimalSeparator);

} // namespace qb
