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

// A text's number both ways from one reading: nullopt where TextValue and ExactTextValue give it.
struct NumberReading {
    double value = 0;
    ExactDecimal exact;
};
std::optional<NumberReading> ReadNumber(QStringView text);

// A decimal number as written, before its value is taken: "-1.50e3" is negative, with integer
// digits "1", a point, fraction digits "50" and exponent 3.
struct WrittenDecimal {
    bool negative = false;
    std::string integerDigits;
    bool hasPoint = false;
    std::string fractionDigits;
    long long exponent = 0; // bounded far beyond any magnitude a 64-bit float has
};

// Texts that did not come from an entry field (the report's cells, the clipboard once its own
// separators are settled) are numbers only when they are one number whole: white space may
// stand around it, no blank within.
std::optional<WrittenDecimal> WholeDecimal(QStringView text);
// The exact value of a whole decimal, &H or &O number; nullopt for any other text and beyond the
// 64-bit float range.
std::optional<ExactDecimal> ExactWholeTextValue(QStringView text);

} // namespace qb
