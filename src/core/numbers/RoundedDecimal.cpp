#include "RoundedDecimal.h"

#include "ExactNumber.h"

namespace qb {

RoundedDecimal RoundByComparison(const RationalComparison& compare, mpz_class proposal,
                                 int decimals) {
    const mpq_class unit = TenTo(-decimals);
    const mpq_class half(1, 2);
    mpz_class& k = proposal;
    for (;;) {
        // A value on a midpoint goes away from zero.
        const mpq_class high = (k + half) * unit;
        const int aboveHigh = compare(high);
        if (aboveHigh > 0 || (aboveHigh == 0 && sgn(high) > 0)) {
            ++k;
            continue;
        }
        const mpq_class low = (k - half) * unit;
        const int aboveLow = compare(low);
        if (aboveLow < 0 || (aboveLow == 0 && sgn(low) < 0)) {
            --k;
            continue;
        }
        break;
    }
    const bool negative = sgn(k) < 0 || (sgn(k) == 0 && compare(0) < 0);
    return {negative, abs(k), decimals};
}

QString FixedText(const RoundedDecimal& value) {
    std::string digits = value.units.get_str();
    const std::size_t width = static_cast<std::size_t>(value.decimals) + 1;
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    if (value.decimals > 0) {
        digits.insert(digits.size() - value.decimals, 1, '.');
    }
    return QString::fromLatin1(value.negative ? "-" + digits : digits);
}

QString FourSignificantText(const RationalComparison& compare,
                            const std::function<mpz_class(int decimals)>& propose,
                            int exponentProposal) {
    int exponent = exponentProposal;
    for (;;) {
        const int decimals = 3 - exponent;
        const RoundedDecimal rounded = RoundByComparison(compare, propose(decimals), decimals);
        if (rounded.units >= 10000) {
            ++exponent;
        } else if (rounded.units < 1000) {
            --exponent;
        } else if (exponent >= -3) {
            return FixedText(rounded);
        } else {
            const std::string digits = rounded.units.get_str();
            return QString::fromLatin1(digits.substr(0, 1) + '.' + digits.substr(1) + 'E' +
                                       std::to_string(exponent));
        }
    }
}

mpz_class Nearest(const mpq_class& q) {
    mpz_class k;
    mpz_fdiv_q(k.get_mpz_t(), mpz_class(2 * q.get_num() + q.get_den()).get_mpz_t(),
               mpz_class(2 * q.get_den()).get_mpz_t());
    return k;
}

mpq_class TenTo(int exponent) {
    mpq_class q =
        exponent >= 0 ? mpq_class(PowerOfTen(exponent)) : mpq_class(1, PowerOfTen(-exponent));
    q.canonicalize();
    return q;
}

} // namespace qb
