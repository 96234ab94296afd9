#pragma once

#include <QString>

namespace qb {

// A 64-bit value as the plain entry text the grid writes back when a field loses the focus:
// 15 significant digits, "." as decimal point whatever the locale, no zero before the point
// (".5"), exponent form "1.5E-05" / "1E+15" below 0.0001 and from 1E15 up.
QString NumberText(double value);

} // namespace qb
