#include "NumberPattern.h"

#include <string>

namespace qb {

NumberPattern NumberPattern::FromText(std::string_view pattern) {
    NumberPattern result{0, 0};
    const auto point = pattern.find('.');
    const std::string_view integer = pattern.substr(0, point);
    for (char c : integer) {
        result.minIntegerDigits += c == '0' ? 1 : 0;
    }
    if (point != std::string_view::npos) {
        result.decimals = static_cast<int>(pattern.size() - point - 1);
    }
    return result;
}

namespace {

// Adds one unit in the last place of a digit string; returns false when the carry runs out of
// the leftmost digit (which then is "0..." and needs a leading 1).
bool Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

// The text of a value given as its sign and its magnitude times 10^decimals, already rounded.
QString Compose(bool negative, std::string scaled, NumberPattern pattern, QChar decimalSeparator) {
    const std::size_t width = static_cast<std::size_t>(pattern.minIntegerDigits + pattern.decimals);
    if (scaled.size() < width) {
        scaled.insert(0, width - scaled.size(), '0');
    }
    std::string integerPart = scaled.substr(0, scaled.size() - pattern.decimals);
    const auto firstNonZero = integerPart.find_first_not_of('0');
    const std::size_t maxStrip = integerPart.size() - pattern.minIntegerDigits;
    integerPart.erase(
        0, std::min(firstNonZero == std::string::npos ? maxStrip : firstNonZero, maxStrip));
    QString text = QString::fromLatin1(integerPart);
    // The sign follows the value, not its rounding: only zero itself (-0.0 too) has none.
    if (negative) {
        text.prepend(u'-');
    }
    if (pattern.decimals > 0) {
        text += decimalSeparator;
        text += QString::fromLatin1(scaled.substr(scaled.size() - pattern.decimals));
    }
    return text;
}

} // namespace

QString FormatNumber(const DecimalForm& form, NumberPattern pattern, QChar decimalSeparator) {
    // Scaled digits: the value times 10^decimals as a whole number, rounded half away from zero.
    const long long keep = static_cast<long long>(form.exponent) + 1 + pattern.decimals;
    std::string scaled;
    if (keep >= static_cast<long long>(form.digits.size())) {
        scaled = form.digits + std::string(keep - form.digits.size(), '0');
    } else if (keep >= 0) {
        scaled = form.digits.substr(0, keep);
        if (form.digits[keep] >= '5' && !Increment(scaled)) {
            scaled.insert(0, "1");
        }
        if (scaled.empty()) {
            scaled = "0";
        }
    } else {
        scaled = "0";
    }
    return Compose(form.negative && form.digits.find_first_not_of('0') != std::string::npos,
                   std::move(scaled), pattern, decimalSeparator);
}

QString FormatNumber(const ExactNumber& value, NumberPattern pattern, QChar decimalSeparator) {
    return Compose(value.IsNegative(), value.ScaledMagnitude(pattern.decimals).get_str(), pattern,
                   decimalSeparator);
}

} // namespace qb
