#include "TextValue.h"

#include "ExactNumber.h"

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
    explicit Scanner(QStringView text) : text_(text) {
        // Most texts hold nothing to ignore and are read in place.
        if (std::any_of(text.begin(), text.end(), IsIgnored)) {
            kept_.reserve(text.size());
            for (QChar c : text) {
                if (!IsIgnored(c)) {
                    kept_.append(c);
                }
            }
            text_ = kept_;
        }
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    QChar Peek(qsizetype ahead = 0) const {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : QChar();
    }
    bool TakeIf(char16_t c) {
        if (!AtEnd() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    bool TakeIfEither(char16_t a, char16_t b) { return TakeIf(a) || TakeIf(b); }

    template <typename Pred> std::string TakeWhile(Pred pred) {
        std::string out;
        while (!AtEnd() && pred(text_[pos_])) {
            out.push_back(static_cast<char>(text_[pos_].unicode()));
            ++pos_;
        }
        return out;
    }
    void Rewind(qsizetype to) { pos_ = to; }
    qsizetype Position() const { return pos_; }

private:
    QString kept_;
    QStringView text_; // the text, or kept_ without what is ignored
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

std::optional<WrittenDecimal> ReadDecimal(Scanner& s) {
    WrittenDecimal d;
    d.negative = s.TakeIf(u'-');
    if (!d.negative) {
        s.TakeIf(u'+');
    }
    d.integerDigits = s.TakeWhile(IsDigit);
    d.hasPoint = s.TakeIf(u'.');
    if (d.hasPoint) {
        d.fractionDigits = s.TakeWhile(IsDigit);
    }
    if (d.integerDigits.empty() && d.fractionDigits.empty()) {
        return std::nullopt;
    }
    d.exponent = ExponentPart(s);
    return d;
}

std::string DecimalLiteral(const WrittenDecimal& d) {
    const long long fractionDigits =
        std::min<long long>(kExponentLimit, static_cast<long long>(d.fractionDigits.size()));
    const long long exponent = d.exponent - fractionDigits;
    std::string digits = d.integerDigits + d.fractionDigits;
    const auto firstSignificant = digits.find_first_not_of('0');
    digits = firstSignificant == std::string::npos ? "0" : digits.substr(firstSignificant);
    return (d.negative ? "-" : "") + digits + "e" + std::to_string(exponent);
}

std::string LeadingLiteral(Scanner& s) {
    if (s.TakeIf(u'&')) {
        return RadixLiteral(s);
    }
    const auto decimal = ReadDecimal(s);
    return decimal ? DecimalLiteral(*decimal) : std::string();
}

// The ASCII white space a regular expression's \s stands for.
bool IsPadding(QChar c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// The text without the white space around it; nullopt when a blank stands within.
std::optional<QStringView> Unpadded(QStringView text) {
    while (!text.isEmpty() && IsPadding(text.front())) {
        text = text.mid(1);
    }
    while (!text.isEmpty() && IsPadding(text.back())) {
        text.chop(1);
    }
    if (std::any_of(text.begin(), text.end(), IsIgnored)) {
        return std::nullopt;
    }
    return text;
}

locale_t CLocale() {
    static const locale_t kC = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return kC;
}

} // namespace

std::string NumericLiteral(QStringView text) {
    Scanner s(text);
    return LeadingLiteral(s);
}

std::optional<WrittenDecimal> WholeDecimal(QStringView text) {
    const auto unpadded = Unpadded(text);
    if (!unpadded) {
        return std::nullopt;
    }
    Scanner s(*unpadded);
    auto decimal = ReadDecimal(s);
    return s.AtEnd() ? decimal : std::nullopt;
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

namespace {

// The smallest value that a 64-bit float conversion rounds to infinity: DBL_MAX plus half its
// last place, 2^1024 - 2^970.
const mpz_class& OverflowThreshold() {
    static const mpz_class kThreshold = (mpz_class(1) << 1024) - (mpz_class(1) << 970);
    return kThreshold;
}

// Compares mantissa * 10^exponent with a whole number.
int CompareScaled(const mpz_class& mantissa, long long exponent, const mpz_class& whole) {
    return exponent >= 0 ? cmp(mantissa * PowerOfTen(exponent), whole)
                         : cmp(mantissa, whole * PowerOfTen(-exponent));
}

std::optional<ExactDecimal> ExactLiteralValue(const std::string& literal) {
    ExactDecimal d;
    if (literal.empty()) {
        return d;
    }
    if (literal.rfind("0x", 0) == 0) {
        d.mantissa.set_str(literal.substr(2), 16);
        return d.mantissa >= OverflowThreshold() ? std::nullopt : std::optional(d);
    }
    const bool negative = literal[0] == '-';
    const std::size_t e = literal.find('e');
    std::string digits = literal.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    if (digits == "0") {
        return d;
    }
    const std::size_t last = digits.find_last_not_of('0');
    d.exponent =
        std::stoll(literal.substr(e + 1)) + static_cast<long long>(digits.size() - 1 - last);
    digits.erase(last + 1);
    // The value lies in [10^(top - 1), 10^top): only the decades at the ends of the 64-bit range
    // need the exact comparison, so no exponent makes a number of unbounded size.
    const long long top = static_cast<long long>(digits.size()) + d.exponent;
    if (top <= -324) {
        return ExactDecimal{};
    }
    if (top > 309) {
        return std::nullopt;
    }
    d.mantissa.set_str(digits, 10);
    if (top == -323 && CompareScaled(d.mantissa << 1074, d.exponent, 1) < 0) {
        return ExactDecimal{}; // below 2^-1074, the smallest positive 64-bit float
    }
    if (top == 309 && CompareScaled(d.mantissa, d.exponent, OverflowThreshold()) >= 0) {
        return std::nullopt;
    }
    if (negative) {
        d.mantissa = -d.mantissa;
    }
    return d;
}

} // namespace

mpq_class ExactDecimal::Rational() const {
    return DecimalRational(mantissa, exponent);
}

std::optional<ExactDecimal> ExactTextValue(QStringView text) {
    return ExactLiteralValue(NumericLiteral(text));
}

std::optional<NumberReading> ReadNumber(QStringView text) {
    const std::string literal = NumericLiteral(text);
    auto value = LiteralDouble(literal);
    auto exact = ExactLiteralValue(literal);
    if (!value || !exact) {
        return std::nullopt;
    }
    return NumberReading{*value, std::move(*exact)};
}

std::optional<ExactDecimal> ExactWholeTextValue(QStringView text) {
    const auto unpadded = Unpadded(text);
    if (!unpadded) {
        return std::nullopt;
    }
    Scanner s(*unpadded);
    const std::string literal = LeadingLiteral(s);
    if (literal.empty() || !s.AtEnd()) {
        return std::nullopt;
    }
    return ExactLiteralValue(literal);
}

} // namespace qb
