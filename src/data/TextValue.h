#pragma once

#include "Real.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <string>

namespace qb {

// The leading number of a text written as a locale-free C literal: "-12345e-8" for a decimal
// number, "0x1f" for a hexadecimal or octal one, "" when the text has no leading number.
// Blanks, tabs and line feeds are ignored wherever they stand; only "." is a decimal point.
std::string NumericLiteral(QStringView text);

// The value of a text's leading number (0 when there is none); nullopt when it lies beyond the
// range of a 64-bit float, an error each caller handles its own way.
std::optional<double> TextValue(QStringView text);

// The same number in the engine's precision; the same texts overflow.
std::optional<Real> TextValueExtended(QStringView text);

// The difference value(text) - value(origin) in the engine's precision, subtracted exactly on
// the decimal digits first, so that values close to the origin keep all their digits however
// large the origin is. nullopt when either text overflows.
std::optional<Real> TextDifferenceExtended(QStringView text, QStringView origin);

} // namespace qb
