#pragma once

#include "engine/Residuals.h"

#include <QChar>
#include <QString>
#include <array>

namespace qb {

// The words and cells of the residuals' table, shared by the report and the clipboard.

inline constexpr int kResidualColumns = 9;

// The headings in the table's order; a line break where a narrow column splits its heading.
extern const std::array<QString, kResidualColumns> kResidualHeadings;

// One table line: row number, X and Y as the data section shows them, then the figures with the
// given separator ("—" where not defined) and the state in words.
std::array<QString, kResidualColumns> ResidualCells(const ResidualRow& row, const DataSet& rows,
                                                    QChar separator);

// The line's coefficients as "a = …, b = …, r = …", each with the given separator.
QString FitText(const QString& a, const QString& b, const QString& r, QChar separator);

// Why some cells read "—"; empty when all are defined.
QString ResidualNoteText(const ResidualFigures& figures);

} // namespace qb
