#pragma once

#include <string>

namespace qb {

// A finite number as its significant decimal digits: d1.d2d3... x 10^exponent. Zero is the
// single digit "0" with exponent 0. Every text shown for a 64-bit value is made from this form,
// so that rounding decisions are taken on decimal digits, never on binary values.
struct DecimalForm {
    bool negative = false;
    std::string digits = "0";
    int exponent = 0;

    bool operator==(const DecimalForm&) const = default;
};

// The value rounded to 15 significant digits (what a 64-bit float holds reliably), trailing
// zeros dropped.
DecimalForm DecimalFormOf(double value);

} // namespace qb
