// Every figure the statistics page shows, against an oracle: the textbook formulas evaluated in
// rationals on the typed decimals and rounded once, on generated data that need far more digits
// than any floating-point format keeps.
#include "engine/Engine.h"
#include "engine/StatisticsCaptions.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <random>

namespace {

using Rng = std::mt19937_64;
using Rows = std::vector<std::pair<std::string, std::string>>; // X and Y texts
using Outcome = std::pair<int, std::vector<std::string>>;      // failed step, or 0 and captions

mpz_class Ten(unsigned long exponent) {
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, exponent);
    return power;
}

// "-123.0456" or "1.25e-7", the only forms generated, read exactly.
mpq_class Parse(std::string text) {
    const auto e = text.find('e');
    long exponent = e == std::string::npos ? 0 : std::stol(text.substr(e + 1));
    text = text.substr(0, e);
    if (const auto point = text.find('.'); point != std::string::npos) {
        exponent -= long(text.size() - point - 1);
        text.erase(point, 1);
    }
    mpq_class q(mpz_class(text, 10) * Ten(std::max(0L, exponent)), Ten(std::max(0L, -exponent)));
    q.canonicalize();
    return q;
}

// A count of 10^-d units as the page shows it; a negative value keeps its minus sign at zero.
std::string Decimal(const mpz_class& units, int d, bool negative) {
    std::string digits = mpz_class(abs(units)).get_str();
    digits.insert(0, std::max(0, d + 1 - int(digits.size())), '0');
    return (negative ? "-" : "") + digits.insert(digits.size() - d, ".");
}
// Halves away from zero: floor((2 |q| 10^d + 1) / 2), for a root floor((isqrt(4 q 10^2d) + 1) / 2).
std::string Round(const mpq_class& q, int d) {
    return Decimal((2 * abs(q.get_num()) * Ten(d) + q.get_den()) / (2 * q.get_den()), d, q < 0);
}
std::string RoundRoot(int sign, const mpq_class& q, int d) {
    const mpz_class scaled = 4 * q.get_num() * Ten(2 * d) / q.get_den();
    return Decimal((sqrt(scaled) + 1) / 2, d, sign < 0 && q != 0);
}

// The steps' textbook formulas, failing where a running sum (steps 1-5) or a coefficient leaves
// the 64-bit float range, or a spread is zero.
Outcome Oracle(const Rows& set) {
    const mpq_class max(DBL_MAX), n(long(set.size()));
    std::vector<std::pair<mpq_class, mpq_class>> xy;
    std::array<mpq_class, 5> sums; // X, Y, X2, Y2, XY
    for (const auto& [xt, yt] : set) {
        xy.emplace_back(Parse(xt), Parse(yt));
    }
    int failed = 0; // step k + 1 sums term k over every row
    for (int k = 0; k < 5 && !failed; ++k) {
        for (const auto& [x, y] : xy) {
            sums[k] += std::array<mpq_class, 5>{x, y, x * x, y * y, x * y}[k];
            failed = abs(sums[k]) > max ? k + 1 : failed;
        }
    }
    const mpq_class mx = sums[0] / n, my = sums[1] / n, mxx = sums[2] / n, mxy = sums[4] / n;
    mpq_class varX, varY;
    for (const auto& [x, y] : xy) {
        varX += (x - mx) * (x - mx) / n;
        varY += (y - my) * (y - my) / n;
    }
    const mpq_class cov = mxy - mx * my, zero;
    const mpq_class a = varX == 0 ? zero : cov / varX,
                    b = varX == 0 ? zero : (mxx * my - mx * mxy) / varX;
    failed = failed                      ? failed
             : varX == 0 || abs(a) > max ? 9
             : abs(b) > max              ? 10
             : varY == 0                 ? 11
                                         : 0;
    if (failed) {
        return {failed, {}};
    }
    return {0,
            {Round(mx, 5), Round(my, 5), Round(mxx, 5), Round(sums[3] / n, 5), Round(mxy, 5),
             RoundRoot(1, varX, 5), RoundRoot(1, varY, 5), RoundRoot(sgn(cov), abs(cov), 5),
             Round(a, 8), Round(b, 8), RoundRoot(sgn(a), a * a * varX / varY, 8)}};
}

Outcome Program(const Rows& set) {
    qb::DataSet rows;
    for (std::size_t i = 0; i < set.size(); ++i) {
        rows[i] = {QString::fromStdString(set[i].first), QString::fromStdString(set[i].second),
                   true, true};
    }
    qb::Statistics stats;
    qb::Extremes extremes;
    const qb::ComputeOutcome outcome = qb::ComputeStatistics(rows, stats, extremes);
    Outcome shown{outcome.failedStep, {}};
    for (const QString& caption : qb::StatisticsCaptions(stats, u'.')) {
        shown.second.push_back(caption.toStdString());
    }
    return outcome.ok ? shown : Outcome{outcome.failedStep, {}};
}

long Uniform(Rng& rng, long low, long high) {
    return std::uniform_int_distribution<long>(low, high)(rng);
}
int Sign(Rng& rng) {
    return Uniform(rng, 0, 1) ? 1 : -1;
}
// A whole number of `low` to `high` digits, either sign.
mpz_class Whole(Rng& rng, long low, long high) {
    std::string text(1, char('1' + Uniform(rng, 0, 8)));
    for (long i = 1, digits = Uniform(rng, low, high); i < digits; ++i) {
        text += char('0' + Uniform(rng, 0, 9));
    }
    return Sign(rng) * mpz_class(text);
}
std::string Text(const mpz_class& units, int decimals) {
    return Decimal(units, decimals, units < 0);
}
// n rows, or an even count of at least two for the mirrored pairs that put exact halves at the
// rounding digit; row(i) gives each.
template <typename Row> Rows Generate(int n, bool pairs, Row row) {
    Rows set;
    for (int i = 0; i < (pairs ? std::max(2, n - n % 2) : n); ++i) {
        set.push_back(row(i));
    }
    return set;
}

const std::pair<const char*, Rows (*)(Rng&, int)> kFamilies[] = {
    // 20 to 30 digits at any magnitude from 1E-300 to 1E300; beyond 1E154 a sum overflows.
    {"Magnitudes",
     [](Rng& rng, int n) {
         const long ex = Uniform(rng, -300, 300), ey = Uniform(rng, -300, 300);
         const auto text = [&](long exponent) {
             const std::string d = Whole(rng, 20, 30).get_str();
             const std::size_t lead = d[0] == '-' ? 2 : 1;
             return d.substr(0, lead) + "." + d.substr(lead) + "e" + std::to_string(exponent);
         };
         return Generate(n, false, [&](int) { return std::pair(text(ex), text(ey)); });
     }},
    // A long common part and small deviations.
    {"LongDigits",
     [](Rng& rng, int n) {
         const int decimals = int(Uniform(rng, 5, 12));
         const mpz_class px = Whole(rng, 20, 30), py = Whole(rng, 20, 30);
         const long slope = Uniform(rng, -5, 5);
         return Generate(n, false, [&](int) {
             const mpz_class dx = Uniform(rng, -1'000'000, 1'000'000);
             const mpz_class dy = slope * dx + Uniform(rng, -9999, 9999);
             return std::pair(Text(px + dx, decimals), Text(py + dy, decimals));
         });
     }},
    // Nanosecond timestamps over a day against readings that drift up or down.
    {"Nanoseconds",
     [](Rng& rng, int n) {
         const mpz_class start =
             mpz_class("1700000000000000000") + Uniform(rng, 0, 1'000'000'000'000);
         const long drift = Uniform(rng, -50, 50);
         return Generate(n, false, [&](int) {
             const long offset = Uniform(rng, 0, 86'400'000'000'000);
             const long reading =
                 200000 + drift * (offset / 1'000'000'000) + Uniform(rng, -500, 500);
             return std::pair(mpz_class(start + offset).get_str(), Text(reading, 4));
         });
     }},
    // X, Y, SX, SY and SXY exact halves at the sixth decimal; falling lines give SXY < 0.
    {"HalvesAtTheFifthDecimal",
     [](Rng& rng, int n) {
         const mpz_class mx = 10 * Whole(rng, 1, 20) + 5, my = 10 * Whole(rng, 1, 20) + 5;
         const mpz_class h = 5 * (2 * Uniform(rng, 0, 999) + 1);
         const int s = Sign(rng);
         return Generate(n, true, [&](int i) {
             const mpz_class d = i % 2 ? mpz_class(-h) : h;
             return std::pair(Text(mx + d, 6), Text(my + s * d, 6));
         });
     }},
    // A line whose slope and intercept are exact halves at the ninth decimal.
    {"HalvesAtTheEighthDecimal", [](Rng& rng, int n) {
         const mpz_class a = Sign(rng) * (10 * Uniform(rng, 0, 99'999'999'999) + 5); // 10^-9
         const mpz_class b = 10 * Whole(rng, 1, 20) + 5, mx = Whole(rng, 1, 20);     // 10^-9, 10^-6
         mpz_class h;
         return Generate(n, true, [&](int i) {
             h = i % 2 ? mpz_class(-h) : mpz_class(Uniform(rng, 1, 999'999'999));
             return std::pair(Text(mx + h, 6), Text(b * 1'000'000 + a * (mx + h), 15));
         });
     }}};

class GeneratedSets : public testing::TestWithParam<std::size_t> {};

// Row counts run through 2 to 30 first, then are drawn at random.
TEST_P(GeneratedSets, EveryFigureEqualsTheOracle) {
    const auto& [family, make] = kFamilies[GetParam()];
    const std::uint64_t seed = 0x5eed'b41d'2024'0611ULL + GetParam();
    Rng rng(seed);
    constexpr int kSets = 40;
    int computed = 0;
    for (int i = 0; i < kSets; ++i) {
        const Rows set = make(rng, i < 29 ? 2 + i : int(Uniform(rng, 2, qb::kRowCapacity)));
        const Outcome expected = Oracle(set);
        computed += expected.first == 0;
        std::string rows;
        for (const auto& [x, y] : set) {
            rows += " (" + x + ", " + y + ")";
        }
        EXPECT_EQ(Program(set), expected)
            << family << " set " << i << " (seed " << seed << "):" << rows;
    }
    EXPECT_GE(computed, kSets / 3); // a family whose sets mostly fail compares few figures
}

INSTANTIATE_TEST_SUITE_P(Families, GeneratedSets, testing::Range<std::size_t>(0, 5),
                         [](const auto& info) { return std::string(kFamilies[info.param].first); });

} // namespace
