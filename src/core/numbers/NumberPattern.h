#pragma once

#include "DecimalForm.h"
#include "ExactNumber.h"

#include <QChar>
#include <QString>
#include <string_view>

namespace qb {

// A display pattern such as "##############0.00000": a leading minus for negative values, at
// least as many integer digits as the pattern has zeros before the point, no grouping, exactly
// as many decimals as it has zeros after it, halves rounded away from zero.
struct NumberPattern {
    int minIntegerDigits = 1;
    int decimals = 0;

    static NumberPattern FromText(std::string_view pattern);
};

inline const NumberPattern kMeanPattern = NumberPattern::FromText("##############0.00000");
inline const NumberPattern kCoefficientPattern =
    NumberPattern::FromText("##############0.00000000");

// The pattern applied to a decimal form; a negative value that rounds to zero keeps its minus
// sign ("-0.00000").
QString FormatNumber(const DecimalForm& form, NumberPattern pattern, QChar decimalSeparator);

inline QString FormatNumber(double value, NumberPattern pattern, QChar decimalSeparator) {
    return FormatNumber(DecimalFormOf(value), pattern, decimalSeparator);
}
// An exact figure, rounded once.
QString FormatNumber(const ExactNumber& value, NumberPattern pattern, QChar decimalSeparator);

} // namespace qb
