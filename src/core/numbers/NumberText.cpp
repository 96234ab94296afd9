#include "NumberText.h"

#include "DecimalForm.h"

#include <cstdlib>
#include <string>

namespace qb {
namespace {

std::string Mantissa(const std::string& digits) {
    return digits.size() == 1 ? digits : digits.substr(0, 1) + "." + digits.substr(1);
}

std::string ExponentForm(const DecimalForm& form) {
    std::string exponent = std::to_string(std::abs(form.exponent));
    if (exponent.size() < 2) {
        exponent.insert(0, "0");
    }
    return Mantissa(form.digits) + "E" + (form.exponent < 0 ? "-" : "+") + exponent;
}

std::string PlainForm(const DecimalForm& form) {
    const int integerDigits = form.exponent + 1;
    if (integerDigits <= 0) {
        return "." + std::string(-integerDigits, '0') + form.digits;
    }
    std::string digits = form.digits;
    if (static_cast<int>(digits.size()) <= integerDigits) {
        return digits + std::string(integerDigits - digits.size(), '0');
    }
    return digits.insert(integerDigits, ".");
}

} // namespace

QString NumberText(double value) {
    const DecimalForm form = DecimalFormOf(value);
    if (form.digits == "0") {
        return QStringLiteral("0");
    }
    const bool exponential = form.exponent >= 15 || form.exponent < -4;
    const std::string body = exponential ? ExponentForm(form) : PlainForm(form);
    return QString::fromLatin1((form.negative ? "-" : "") + body);
}

} // namespace qb
