#pragma once

#include <gmpxx.h>

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

// A number exactly as typed: mantissa * 10^exponent.
struct ExactDecimal {
    mpz_class mantissa;
    long long exponent = 0;

    mpq_class Rational() const;
};

// The value of a text's leading number exactly, read as TextValue reads it: nullopt for the
// same texts, and 0 for a nonzero value below the smallest positive 64-bit float, as a 64-bit
// float reads it; so no text makes a number of unbounded size.
std::optional<ExactDecimal> ExactTextValue(QStringView text);

} // namespace qb
