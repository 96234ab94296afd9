#include "ResidualsText.h"

#include "UncertaintyText.h"
#include "numbers/DataText.h"

#include <algorithm>

namespace qb {

const std::array<QString, kResidualColumns> kResidualHeadings = {
    QStringLiteral("N."),      QStringLiteral("X"),
    QStringLiteral("Y"),       QStringLiteral("Y stimato"),
    QStringLiteral("Residuo"), QStringLiteral("Residuo\nstandardizzato"),
    QStringLiteral("Leva"),    QStringLiteral("Distanza\ndi Cook"),
    QStringLiteral("Stato")};

std::array<QString, kResidualColumns> ResidualCells(const ResidualRow& row, const DataSet& rows,
                                                    QChar separator) {
    const DataRow& data = rows[row.row];
    return {QString::number(row.row + 1),
            ShownDataText(data.x, separator),
            ShownDataText(data.y, separator),
            ShownFigure(row.fitted, separator),
            ShownFigure(row.residual, separator),
            ShownFigure(row.standardized, separator),
            ShownFigure(row.leverage, separator),
            ShownFigure(row.cook, separator),
            ResidualStateText(row)};
}

QString FitText(const QString& a, const QString& b, const QString& r, QChar separator) {
    return QStringLiteral("a = %1, b = %2, r = %3")
        .arg(ShownFigure(a, separator), ShownFigure(b, separator), ShownFigure(r, separator));
}

QString ResidualNoteText(const ResidualFigures& figures) {
    switch (figures.note) {
    case ResidualNote::NoDegreesOfFreedom:
        return kNoDegreesOfFreedomNote;
    case ResidualNote::PerfectFit:
        return QStringLiteral("Adattamento perfetto: i residui sono tutti nulli, i residui "
                              "standardizzati e la distanza di Cook non sono definiti.");
    case ResidualNote::None:
        break;
    }
    const bool leverageOne = std::ranges::any_of(
        figures.rows, [](const ResidualRow& r) { return !r.excluded && !r.standardized; });
    return leverageOne ? QStringLiteral("Dove la leva è 1 la retta passa per il punto: il residuo "
                                        "standardizzato e la distanza di Cook non sono definiti.")
                       : QString();
}

} // namespace qb
