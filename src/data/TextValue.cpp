#include "TextValue.h"

#include <quadmath.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace qb {
namespace {

// Bound for exponents, far beyond any representable magnitude, so that arithmetic on them
// cannot overflow however many digits a text holds.
constexpr long long kExponentLimit = 1'000'000'000'000LL;

bool IsIgnored(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}
bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool IsOctalDigit(QChar c) {
    return c >= u'0' && c <= u'7';
}
bool IsHexDigit(QChar c) {
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

class Scanner {
public:
    explicit Scanner(QStringView text) {
        kept_.reserve(text.size());
        for (QChar c : text) {
            if (!IsIgnored(c)) {
                kept_.append(c);
            }
        }
    }

    bool AtEnd() const { return pos_ >= kept_.size(); }
    QChar Peek(qsizetype ahead = 0) const {
        return pos_ + ahead < kept_.size() ? kept_[pos_ + ahead] : QChar();
    }
    bool TakeIf(char16_t c) {
        if (!AtEnd() && kept_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool TakeIfEither(char16_t a, char16_t b) { return TakeIf(a) || TakeIf(b); }

    template <typename Pred> std::string TakeWhile(Pred pred) {
        std::string out;
        while (!AtEnd() && pred(kept_[pos_])) {
            out.push_back(static_cast<char>(kept_[pos_].unicode()));
            ++pos_;
        }
        return out;
    }
    void Rewind(qsizetype to) { pos_ = to; }
    qsizetype Position() const { return pos_; }

private:
    QString kept_;
    qsizetype pos_ = 0;
};

std::string OctalToHex(const std::string& octal) {
    std::string bits;
    bits.reserve(octal.size() * 3 + 3);
    for (char d : octal) {
        const int v = d - '0';
        bits.push_back(v & 4 ? '1' : '0');
        bits.push_back(v & 2 ? '1' : '0');
        bits.push_back(v & 1 ? '1' : '0');
    }
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hex;
    for (std::size_t i = 0; i < bits.size(); i += 4) {
        const int nibble = (bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 +
                           (bits[i + 3] - '0');
        hex.push_back("0123456789abcdef"[nibble]);
    }
    return hex;
}

std::string RadixLiteral(Scanner& s) {
    if (s.TakeIfEither(u'H', u'h')) {
        const std::string digits = s.TakeWhile(IsHexDigit);
        return digits.empty() ? std::string() : "0x" + digits;
    }
    if (s.TakeIfEither(u'O', u'o')) {
        const std::string digits = s.TakeWhile(IsOctalDigit);
        return digits.empty() ? std::string() : "0x" + OctalToHex(digits);
    }
    return {};
}

long long ExponentPart(Scanner& s) {
    const qsizetype start = s.Position();
    if (!s.TakeIfEither(u'E', u'e')) {
        return 0;
    }
    const bool negative = s.TakeIf(u'-');
    if (!negative) {
        s.TakeIf(u'+');
    }
    if (!IsDigit(s.Peek())) {
        s.Rewind(start); // "1E" or "1E+" stops before the letter
        return 0;
    }
    long long value = 0;
    while (IsDigit(s.Peek())) {
        value = std::min(kExponentLimit, value * 10 + (s.Peek().unicode() - u'0'));
        s.TakeIf(s.Peek().unicode());
    }
    return negative ? -value : value;
}

std::string DecimalLiteral(Scanner& s) {
    const bool negative = s.TakeIf(u'-');
    if (!negative) {
        s.TakeIf(u'+');
    }
    std::string digits = s.TakeWhile(IsDigit);
    std::string fraction;
    if (s.TakeIf(u'.')) {
        fraction = s.TakeWhile(IsDigit);
    }
    if (digits.empty() && fraction.empty()) {
        return {};
    }
    const long long fractionDigits =
        std::min<long long>(kExponentLimit, static_cast<long long>(fraction.size()));
    const long long exponent = ExponentPart(s) - fractionDigits;
    digits += fraction;
    const auto firstSignificant = digits.find_first_not_of('0');
    digits = firstSignificant == std::string::npos ? "0" : digits.substr(firstSignificant);
    return (negative ? "-" : "") + digits + "e" + std::to_string(exponent);
}

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

} // namespace

std::string NumericLiteral(QStringView text) {
    Scanner s(text);
    if (s.TakeIf(u'&')) {
        return RadixLiteral(s);
    }
    return DecimalLiteral(s);
}

namespace {

std::optional<double> LiteralDouble(const std::string& literal) {
    if (literal.empty()) {
        return 0.0;
    }
    errno = 0;
    const double v = strtod_l(literal.c_str(), nullptr, CLocale());
    if (errno == ERANGE && std::isinf(v)) {
        return std::nullopt;
    }
    return v;
}

} // namespace

std::optional<double> TextValue(QStringView text) {
    return LiteralDouble(NumericLiteral(text));
}

std::optional<Real> TextValueExtended(QStringView text) {
    const std::string literal = NumericLiteral(text);
    if (!LiteralDouble(literal)) {
        return std::nullopt;
    }
    return literal.empty() ? Real(0) : strtoflt128(literal.c_str(), nullptr);
}

namespace {

// Beyond this many digits of alignment the exact subtraction gains nothing over quad.
constexpr long long kMaxAlignment = 200;

struct ScaledDecimal {
    bool negative = false;
    std::string digits; // the whole number M of M x 10^exponent
    long long exponent = 0;
};

std::optional<ScaledDecimal> ParseDecimalLiteral(const std::string& literal) {
    if (literal.empty()) {
        return ScaledDecimal{false, "0", 0};
    }
    if (literal.rfind("0x", 0) == 0) {
        return std::nullopt;
    }
    ScaledDecimal d;
    std::size_t pos = 0;
    d.negative = literal[0] == '-';
    pos = d.negative ? 1 : 0;
    const std::size_t e = literal.find('e', pos);
    d.digits = literal.substr(pos, e - pos);
    d.exponent = std::stoll(literal.substr(e + 1));
    return d;
}

int CompareMagnitudes(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

// a - b for whole numbers as digit strings of equal length, a >= b.
std::string SubtractDigits(const std::string& a, const std::string& b) {
    std::string out(a.size(), '0');
    int borrow = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        int d = (a[i] - '0') - (b[i] - '0') - borrow;
        borrow = d < 0 ? 1 : 0;
        out[i] = char('0' + (d + 10 * borrow));
    }
    return out;
}

std::string AddDigits(const std::string& a, const std::string& b) {
    std::string out(a.size() + 1, '0');
    int carry = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        const int d = (a[i] - '0') + (b[i] - '0') + carry;
        carry = d / 10;
        out[i + 1] = char('0' + d % 10);
    }
    out[0] = char('0' + carry);
    return out;
}

std::string Aligned(const ScaledDecimal& d, long long exponent, std::size_t width) {
    std::string digits = d.digits + std::string(std::size_t(d.exponent - exponent), '0');
    return std::string(width - digits.size(), '0') + digits;
}

} // namespace

std::optional<Real> TextDifferenceExtended(QStringView text, QStringView origin) {
    const std::string a = NumericLiteral(text);
    const std::string b = NumericLiteral(origin);
    const auto va = TextValueExtended(text);
    const auto vb = TextValueExtended(origin);
    if (!va || !vb) {
        return std::nullopt;
    }
    const auto da = ParseDecimalLiteral(a);
    const auto db = ParseDecimalLiteral(b);
    if (!da || !db || std::abs(da->exponent - db->exponent) > kMaxAlignment) {
        return *va - *vb;
    }
    const long long exponent = std::min(da->exponent, db->exponent);
    const std::size_t width = std::max(da->digits.size() + std::size_t(da->exponent - exponent),
                                       db->digits.size() + std::size_t(db->exponent - exponent));
    const std::string ma = Aligned(*da, exponent, width);
    const std::string mb = Aligned(*db, exponent, width);
    std::string magnitude;
    bool negative = false;
    if (da->negative != db->negative) {
        magnitude = AddDigits(ma, mb);
        negative = da->negative;
    } else if (CompareMagnitudes(ma, mb) >= 0) {
        magnitude = SubtractDigits(ma, mb);
        negative = da->negative;
    } else {
        magnitude = SubtractDigits(mb, ma);
        negative = !da->negative;
    }
    const std::string literal = (negative ? "-" : "") + magnitude + "e" + std::to_string(exponent);
    return strtoflt128(literal.c_str(), nullptr);
}

} // namespace qb
