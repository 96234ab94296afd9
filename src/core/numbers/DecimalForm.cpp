#include "DecimalForm.h"

#include <charconv>
#include <cstdlib>

namespace qb {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads "[-]d<sep>ddd...e[+-]xx" as printed by scientific formatting, whatever character the
// C library used as the decimal separator.
DecimalForm ParseScientific(const char* text) {
    DecimalForm form;
    const char* p = text;
    form.negative = *p == '-';
    if (form.negative) {
        ++p;
    }
    form.digits.clear();
    for (; *p != '\0' && *p != 'e' && *p != 'E'; ++p) {
        if (IsDigit(*p)) {
            form.digits.push_back(*p);
        }
    }
    form.exponent = *p != '\0' ? std::atoi(p + 1) : 0;
    const auto last = form.digits.find_last_not_of('0');
    if (last == std::string::npos) {
        return DecimalForm{};
    }
    form.digits.erase(last + 1);
    return form;
}

} // namespace

DecimalForm DecimalFormOf(double value) {
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer - 1, value, std::chars_format::scientific, 14)
            .ptr;
    *end = '\0';
    return ParseScientific(buffer);
}

} // namespace qb
