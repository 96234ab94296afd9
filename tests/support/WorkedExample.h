#pragma once

// The worked example: four checked rows whose eleven figures are known by hand.
#include "engine/DataSet.h"

#include <QList>
#include <QStringList>

namespace qb::worked {

inline const QList<std::pair<QString, QString>> kRows = {
    {"1", "2"}, {"2", "3"}, {"3", "5"}, {"4", "6"}};

// The figures in Figure order (X, Y, X2, Y2, XY, SX, SY, SXY, A, B, R) as shown.
inline QStringList Captions(QChar separator) {
    return QStringList{"2.50000", "4.00000", "7.50000",    "18.50000",   "11.75000",  "1.11803",
                       "1.58114", "1.32288", "1.40000000", "0.50000000", "0.98994949"}
        .replaceInStrings(".", separator);
}

} // namespace qb::worked
