// Every caption the statistics page shows must equal the exact figure, computed with rationals
// from the decimal texts and rounded to the shown decimals, also where 64-bit textbook formulas
// lose every digit to cancellation.

#include "data/Rows.h"
#include "data/Statistics.h"
#include "stats/Engine.h"
#include "stats/StatisticsCaptions.h"

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::uint64_t kSeed = 0x5eed'b41d'2024'0611ULL;
constexpr int kSetsPerFamily = 40;
constexpr int kMeanDecimals = 5;
constexpr int kCoefficientDecimals = 8;

using Captions = std::array<std::string, qb::FigureCount>;

struct DataSet {
    std::vector<std::pair<std::string, std::string>> rows; // X and Y texts
};

std::string Describe(const DataSet& set) {
    std::ostringstream out;
    out << set.rows.size() << " rows:";
    for (const auto& [x, y] : set.rows) {
        out << " (" << x << ", " << y << ")";
    }
    return out.str();
}

// ---- Exact arithmetic -------------------------------------------------------------------------

mpz_class PowerOfTen(unsigned long exponent) {
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, exponent);
    return p;
}

// "-123.0456" read exactly.
mpq_class ParseDecimal(const std::string& text) {
    std::size_t pos = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) {
        pos = 1;
    }
    std::string digits;
    unsigned long decimals = 0;
    bool afterPoint = false;
    for (; pos < text.size(); ++pos) {
        if (text[pos] == '.') {
            afterPoint = true;
        } else {
            digits.push_back(text[pos]);
            decimals += afterPoint ? 1 : 0;
        }
    }
    mpq_class value(mpz_class(digits, 10), PowerOfTen(decimals));
    value.canonicalize();
    return negative ? mpq_class(-value) : value;
}

// A rounded count of 10^-decimals units shown the program's way: at least one integer digit, a
// minus for a negative count or a negative value rounded to a zero count.
std::string FormatUnits(const mpz_class& units, int decimals, bool negative = false) {
    std::string digits = mpz_class(abs(units)).get_str();
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, decimals + 1 - digits.size(), '0');
    }
    digits.insert(digits.size() - decimals, ".");
    return (negative || units < 0 ? "-" : "") + digits;
}

// q to `decimals` places, halves away from zero.
std::string RoundRational(const mpq_class& q, int decimals) {
    const mpz_class num = abs(q.get_num());
    const mpz_class& den = q.get_den();
    mpz_class units;
    mpz_fdiv_q(units.get_mpz_t(), mpz_class(2 * num * PowerOfTen(decimals) + den).get_mpz_t(),
               mpz_class(2 * den).get_mpz_t());
    return FormatUnits(units, decimals, sgn(q) < 0);
}

// sign * sqrt(q) for q >= 0 to `decimals` places, halves away from zero:
// round(sqrt(q) 10^D) = floor((isqrt(floor(4 q 10^2D)) + 1) / 2).
std::string RoundRoot(int sign, const mpq_class& q, int decimals) {
    mpz_class scaled;
    mpz_fdiv_q(scaled.get_mpz_t(),
               mpz_class(4 * q.get_num() * PowerOfTen(2 * decimals)).get_mpz_t(),
               q.get_den().get_mpz_t());
    mpz_class root;
    mpz_sqrt(root.get_mpz_t(), scaled.get_mpz_t());
    mpz_class units;
    mpz_fdiv_q_ui(units.get_mpz_t(), mpz_class(root + 1).get_mpz_t(), 2);
    return FormatUnits(units, decimals, sign < 0);
}

struct ExactFigures {
    bool solvable = false; // the program fails sets without spread by design
    Captions captions;
};

ExactFigures Exact(const DataSet& set) {
    std::vector<mpq_class> xs, ys;
    for (const auto& [x, y] : set.rows) {
        xs.push_back(ParseDecimal(x));
        ys.push_back(ParseDecimal(y));
    }
    const mpq_class n(static_cast<unsigned long>(xs.size()));
    mpq_class sx, sy, sxx, syy, sxy;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        sx += xs[i];
        sy += ys[i];
        sxx += xs[i] * xs[i];
        syy += ys[i] * ys[i];
        sxy += xs[i] * ys[i];
    }
    const mpq_class meanX = sx / n, meanY = sy / n;
    mpq_class devXX, devYY, devXY;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        devXX += (xs[i] - meanX) * (xs[i] - meanX);
        devYY += (ys[i] - meanY) * (ys[i] - meanY);
        devXY += (xs[i] - meanX) * (ys[i] - meanY);
    }
    ExactFigures exact;
    exact.solvable = devXX != 0 && devYY != 0;
    if (!exact.solvable) {
        return exact;
    }
    const mpq_class slope = devXY / devXX;
    const int crossSign = sgn(devXY);
    Captions& c = exact.captions;
    c[qb::X] = RoundRational(meanX, kMeanDecimals);
    c[qb::Y] = RoundRational(meanY, kMeanDecimals);
    c[qb::X2] = RoundRational(sxx / n, kMeanDecimals);
    c[qb::Y2] = RoundRational(syy / n, kMeanDecimals);
    c[qb::XY] = RoundRational(sxy / n, kMeanDecimals);
    c[qb::SX] = RoundRoot(1, devXX / n, kMeanDecimals);
    c[qb::SY] = RoundRoot(1, devYY / n, kMeanDecimals);
    c[qb::SXY] = RoundRoot(crossSign, abs(devXY) / n, kMeanDecimals);
    c[qb::A] = RoundRational(slope, kCoefficientDecimals);
    c[qb::B] = RoundRational(meanY - slope * meanX, kCoefficientDecimals);
    c[qb::R] = RoundRoot(crossSign, devXY * devXY / (devXX * devYY), kCoefficientDecimals);
    return exact;
}

// ---- The program and a naive reference --------------------------------------------------------

struct ProgramFigures {
    qb::ComputeOutcome outcome;
    Captions captions;
};

ProgramFigures Program(const DataSet& set) {
    qb::Rows rows;
    for (std::size_t i = 0; i < set.rows.size(); ++i) {
        rows[i] = {QString::fromStdString(set.rows[i].first),
                   QString::fromStdString(set.rows[i].second), true, true};
    }
    qb::Statistics stats;
    qb::Extremes extremes;
    ProgramFigures result;
    result.outcome = qb::ComputeStatistics(rows, stats, extremes);
    const auto shown = qb::StatisticsCaptions(stats, u'.');
    for (int f = 0; f < qb::FigureCount; ++f) {
        result.captions[f] = shown[f].toStdString();
    }
    return result;
}

std::string RoundDouble(double v, int decimals) {
    return std::isfinite(v) ? RoundRational(mpq_class(v), decimals) : "not finite";
}

// The textbook one-pass formulas in 64-bit floats, the way a pocket calculator does them; used
// only to show that the generated data really defeat such arithmetic.
Captions Naive(const DataSet& set) {
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (const auto& [xt, yt] : set.rows) {
        const double x = std::strtod(xt.c_str(), nullptr);
        const double y = std::strtod(yt.c_str(), nullptr);
        sx += x;
        sy += y;
        sxx += x * x;
        syy += y * y;
        sxy += x * y;
    }
    const double n = static_cast<double>(set.rows.size());
    const double mx = sx / n, my = sy / n, mxx = sxx / n, myy = syy / n, mxy = sxy / n;
    const double varX = mxx - mx * mx, varY = myy - my * my, cov = mxy - mx * my;
    const double slope = cov / varX;
    Captions c;
    c[qb::X] = RoundDouble(mx, kMeanDecimals);
    c[qb::Y] = RoundDouble(my, kMeanDecimals);
    c[qb::X2] = RoundDouble(mxx, kMeanDecimals);
    c[qb::Y2] = RoundDouble(myy, kMeanDecimals);
    c[qb::XY] = RoundDouble(mxy, kMeanDecimals);
    c[qb::SX] = RoundDouble(std::sqrt(varX), kMeanDecimals);
    c[qb::SY] = RoundDouble(std::sqrt(varY), kMeanDecimals);
    c[qb::SXY] = RoundDouble(std::copysign(std::sqrt(std::fabs(cov)), cov), kMeanDecimals);
    c[qb::A] = RoundDouble(slope, kCoefficientDecimals);
    c[qb::B] = RoundDouble(my - slope * mx, kCoefficientDecimals);
    c[qb::R] = RoundDouble(cov / std::sqrt(varX * varY), kCoefficientDecimals);
    return c;
}

// Compares every figure; returns false (after reporting) on any difference.
bool ExpectProgramMatchesExact(const DataSet& set, const Captions& exact,
                               const std::string& context) {
    const ProgramFigures program = Program(set);
    if (!program.outcome.ok) {
        ADD_FAILURE() << context << ": engine failed at step " << program.outcome.failedStep
                      << " on " << Describe(set);
        return false;
    }
    bool same = true;
    for (int f = 0; f < qb::FigureCount; ++f) {
        if (program.captions[f] != exact[f]) {
            same = false;
            ADD_FAILURE() << context << ", figure " << qb::kFigureNames[f] << ": expected "
                          << exact[f] << ", program shows " << program.captions[f] << " on "
                          << Describe(set);
        }
    }
    return same;
}

// ---- Generated ill-conditioned data -----------------------------------------------------------

using Rng = std::mt19937_64;

double Uniform(Rng& rng, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng);
}
long long UniformInt(Rng& rng, long long low, long long high) {
    return std::uniform_int_distribution<long long>(low, high)(rng);
}

// v as a decimal text with exactly `decimals` places (v * 10^decimals must fit 64 bits).
std::string Decimal(double v, int decimals) {
    const long long units = std::llround(v * std::pow(10.0, decimals));
    return FormatUnits(mpz_class(std::to_string(units), 10), decimals);
}

// Consecutive billions against a line with tiny noise.
DataSet LargeOffsets(Rng& rng, int n) {
    const double slope = static_cast<double>(UniformInt(rng, -300, 300)) / 100.0;
    const int xDecimals = static_cast<int>(UniformInt(rng, 0, 2));
    DataSet set;
    for (int i = 0; i < n; ++i) {
        const double x = 1000000001.0 + i + (xDecimals ? 0.25 * UniformInt(rng, 0, 3) : 0.0);
        const double y = slope * (x - 1e9) + 5e8 + Uniform(rng, -1e-3, 1e-3);
        set.rows.emplace_back(Decimal(x, xDecimals), Decimal(y, 4));
    }
    return set;
}

// Unix timestamps over a day with sensor readings.
DataSet Timestamps(Rng& rng, int n) {
    const double start = 1.7e9 + static_cast<double>(UniformInt(rng, 0, 10000000));
    const double drift = Uniform(rng, -1e-4, 1e-4);
    DataSet set;
    for (int i = 0; i < n; ++i) {
        const double t = start + Uniform(rng, 0, 86400);
        const double reading = 20.0 + drift * (t - start) + Uniform(rng, -0.05, 0.05);
        set.rows.emplace_back(Decimal(t, 3), Decimal(reading, 4));
    }
    return set;
}

// Calendar years against values near a million that barely move.
DataSet Years(Rng& rng, int n) {
    std::vector<int> years;
    for (int y = 1990; y <= 2020; ++y) {
        years.push_back(y);
    }
    std::shuffle(years.begin(), years.end(), rng);
    const double growth = Uniform(rng, -2, 2);
    DataSet set;
    for (int i = 0; i < n; ++i) {
        const double y = 1e6 + growth * (years[i] - 1990) + Uniform(rng, -0.5, 0.5);
        set.rows.emplace_back(std::to_string(years[i]), Decimal(y, 2));
    }
    return set;
}

// Y varies only in its sixth decimal.
DataSet NearlyConstantY(Rng& rng, int n) {
    const double level = static_cast<double>(UniformInt(rng, 1, 99999));
    DataSet set;
    for (int i = 0; i < n; ++i) {
        const double x = static_cast<double>(i + 1) + 0.5 * UniformInt(rng, 0, 1);
        const double y = level + 1e-6 * static_cast<double>(UniformInt(rng, 1, 9));
        set.rows.emplace_back(Decimal(x, 1), Decimal(y, 6));
    }
    return set;
}

// |R| within about 1e-9 of 1, rising or falling.
DataSet NearlyPerfectLine(Rng& rng, int n, double slopeSign) {
    const double slope = slopeSign * Uniform(rng, 0.01, 50);
    const double intercept = Uniform(rng, -1e4, 1e4);
    const double step = Uniform(rng, 0.1, 10);
    DataSet set;
    for (int i = 0; i < n; ++i) {
        const double x = 1000.0 + step * i;
        const double y = intercept + slope * x + Uniform(rng, -1e-6, 1e-6);
        set.rows.emplace_back(Decimal(x, 4), Decimal(y, 7));
    }
    return set;
}
DataSet RisingLine(Rng& rng, int n) {
    return NearlyPerfectLine(rng, n, 1);
}
DataSet FallingLine(Rng& rng, int n) {
    return NearlyPerfectLine(rng, n, -1);
}

// Thousandths next to millions in the same column.
DataSet MixedMagnitudes(Rng& rng, int n) {
    DataSet set;
    for (int i = 0; i < n; ++i) {
        const bool large = UniformInt(rng, 0, 1) == 1;
        const double x = large ? Uniform(rng, 1e6, 2e6) : Uniform(rng, 1e-3, 9e-3);
        const double y = large ? 3 * x + Uniform(rng, -1, 1) : Uniform(rng, 1e-3, 9e-3);
        set.rows.emplace_back(Decimal(x, 6), Decimal(y, 6));
    }
    return set;
}

// Spreads of 1e-4 to 1e-2 about means of 1e7 to 1e10.
DataSet SmallSpreads(Rng& rng, int n) {
    const double meanX = std::pow(10.0, Uniform(rng, 7, 10));
    const double meanY = std::pow(10.0, Uniform(rng, 7, 10));
    const double spread = std::pow(10.0, Uniform(rng, -4, -2));
    DataSet set;
    for (int i = 0; i < n; ++i) {
        const double dx = Uniform(rng, -spread, spread);
        const double dy = 0.7 * dx + Uniform(rng, -spread, spread) / 10;
        set.rows.emplace_back(Decimal(std::floor(meanX) + dx, 5),
                              Decimal(std::floor(meanY) + dy, 5));
    }
    return set;
}

// Up to 12 significant digits at any scale from 1e-6 to 1e6, either sign.
std::string RandomDecimal(Rng& rng) {
    const int digits = static_cast<int>(UniformInt(rng, 1, 12));
    const int decimals = static_cast<int>(UniformInt(rng, 0, 12));
    long long units = UniformInt(rng, 1, static_cast<long long>(std::pow(10.0, digits)) - 1);
    if (UniformInt(rng, 0, 1) == 1) {
        units = -units;
    }
    return FormatUnits(mpz_class(std::to_string(units), 10), decimals);
}
DataSet RandomDecimals(Rng& rng, int n) {
    DataSet set;
    for (int i = 0; i < n; ++i) {
        set.rows.emplace_back(RandomDecimal(rng), RandomDecimal(rng));
    }
    return set;
}

// Both columns far below zero.
DataSet NegativeValues(Rng& rng, int n) {
    const double offset = -std::pow(10.0, Uniform(rng, 3, 9));
    const double slope = Uniform(rng, -5, 5);
    DataSet set;
    for (int i = 0; i < n; ++i) {
        const double x = std::floor(offset) - Uniform(rng, 0, 10);
        const double y =
            std::floor(offset) * 2 + slope * (x - std::floor(offset)) + Uniform(rng, -0.01, 0.01);
        set.rows.emplace_back(Decimal(x, 3), Decimal(y, 4));
    }
    return set;
}

// Pairs of rows placed symmetrically about big means, half an odd number of units of the fifth
// decimal away: SX and SY are exact halves at the sixth decimal, which must round away from zero
// although the texts have no exact binary value. Row counts are even.
DataSet ExactHalves(Rng& rng, int n) {
    const auto units = [&](long long low, long long high) {
        return mpz_class(std::to_string(UniformInt(rng, low, high)), 10);
    };
    const mpz_class meanX = 10 * units(100'000'000'000LL, 1'000'000'000'000'000LL);
    const mpz_class meanY = 10 * units(100'000'000'000LL, 1'000'000'000'000'000LL);
    const mpz_class halfX = 5 * (2 * units(0, 999) + 1);
    const mpz_class halfY = 5 * (2 * units(0, 999) + 1);
    DataSet set;
    for (int pair = 0; pair < n / 2; ++pair) {
        const int ySign = UniformInt(rng, 0, 1) == 1 ? 1 : -1;
        set.rows.emplace_back(FormatUnits(meanX + halfX, 6), FormatUnits(meanY + ySign * halfY, 6));
        set.rows.emplace_back(FormatUnits(meanX - halfX, 6), FormatUnits(meanY - ySign * halfY, 6));
    }
    return set;
}

struct Family {
    const char* name;
    DataSet (*make)(Rng&, int rows);
};

const Family kFamilies[] = {
    {"LargeOffsets", LargeOffsets},
    {"Timestamps", Timestamps},
    {"Years", Years},
    {"NearlyConstantY", NearlyConstantY},
    {"RisingLine", RisingLine},
    {"FallingLine", FallingLine},
    {"MixedMagnitudes", MixedMagnitudes},
    {"SmallSpreads", SmallSpreads},
    {"RandomDecimals", RandomDecimals},
    {"NegativeValues", NegativeValues},
    {"ExactHalves", ExactHalves},
};

std::uint64_t FamilySeed(std::size_t familyIndex) {
    return kSeed + familyIndex;
}

// The family's data sets; row counts cycle through 2 to 30 first so that every count occurs,
// then are drawn at random.
std::vector<DataSet> Generate(std::size_t familyIndex) {
    Rng rng(FamilySeed(familyIndex));
    std::vector<DataSet> sets;
    for (int i = 0; i < kSetsPerFamily; ++i) {
        const int rows =
            i < qb::kRowCapacity - 1
                ? qb::kMinRowCount + i
                : static_cast<int>(UniformInt(rng, qb::kMinRowCount, qb::kRowCapacity));
        sets.push_back(kFamilies[familyIndex].make(rng, rows));
    }
    return sets;
}

std::string SetContext(std::size_t familyIndex, int setIndex) {
    std::ostringstream out;
    out << "seed " << FamilySeed(familyIndex) << ", family " << kFamilies[familyIndex].name
        << ", set " << setIndex;
    return out.str();
}

class GeneratedSets : public testing::TestWithParam<std::size_t> {};

TEST_P(GeneratedSets, CaptionsEqualExactFigures) {
    const std::size_t family = GetParam();
    const std::vector<DataSet> sets = Generate(family);
    int checked = 0;
    int matched = 0;
    for (int i = 0; i < static_cast<int>(sets.size()); ++i) {
        const ExactFigures exact = Exact(sets[i]);
        if (!exact.solvable) {
            continue;
        }
        ++checked;
        matched += ExpectProgramMatchesExact(sets[i], exact.captions, SetContext(family, i));
    }
    std::cout << kFamilies[family].name << ": " << checked << " data sets checked, " << matched
              << " match on all eleven figures (seed " << FamilySeed(family) << ")\n";
    // Sets without spread are skipped; a family made mostly of them would test nothing.
    EXPECT_GE(checked, kSetsPerFamily * 9 / 10) << "seed " << FamilySeed(family);
}

INSTANTIATE_TEST_SUITE_P(Families, GeneratedSets,
                         testing::Range<std::size_t>(0, std::size(kFamilies)),
                         [](const testing::TestParamInfo<std::size_t>& info) {
                             return std::string(kFamilies[info.param].name);
                         });

// The exact comparison above only means something if the data defeat plain 64-bit arithmetic.
TEST(GeneratedSetsOverall, DefeatNaiveDoubleFormulas) {
    int checked = 0;
    int naiveWrong = 0;
    for (std::size_t family = 0; family < std::size(kFamilies); ++family) {
        for (const DataSet& set : Generate(family)) {
            const ExactFigures exact = Exact(set);
            if (!exact.solvable) {
                continue;
            }
            ++checked;
            naiveWrong += Naive(set) != exact.captions;
        }
    }
    std::cout << checked << " data sets checked in all; naive double formulas get " << naiveWrong
              << " of them wrong (seed " << kSeed << ")\n";
    EXPECT_GE(checked, 300) << "seed " << kSeed;
    EXPECT_GE(naiveWrong, checked / 3) << "seed " << kSeed;
}

// ---- Classic catastrophic cancellation ----------------------------------------------------------

struct ClassicCase {
    const char* name;
    std::vector<std::pair<std::string, std::string>> rows;
};

void PrintTo(const ClassicCase& c, std::ostream* os) {
    *os << c.name;
}

class CatastrophicCancellation : public testing::TestWithParam<ClassicCase> {};

TEST_P(CatastrophicCancellation, CaptionsEqualExactFigures) {
    const DataSet set{GetParam().rows};
    const ExactFigures exact = Exact(set);
    ASSERT_TRUE(exact.solvable) << Describe(set);
    // The case is only worth keeping while plain doubles get it wrong.
    EXPECT_NE(Naive(set), exact.captions) << "not ill-conditioned: " << Describe(set);
    ExpectProgramMatchesExact(set, exact.captions, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Classic, CatastrophicCancellation,
                         testing::Values(ClassicCase{"ConsecutiveBillionsDoubled",
                                                     {{"1000000001", "2000000002.001"},
                                                      {"1000000002", "2000000003.999"},
                                                      {"1000000003", "2000000006.002"},
                                                      {"1000000004", "2000000007.998"},
                                                      {"1000000005", "2000000010.001"}}},
                                         ClassicCase{"BillionsWithQuarters",
                                                     {{"1000000001.25", "3.000001"},
                                                      {"1000000001.5", "3.000003"},
                                                      {"1000000001.75", "3.000002"},
                                                      {"1000000002", "3.000005"}}},
                                         ClassicCase{"TimestampsFalling",
                                                     {{"1700000000.125", "-1700000000.25"},
                                                      {"1700000000.375", "-1700000000.75"},
                                                      {"1700000000.625", "-1700000001.2499"},
                                                      {"1700000000.875", "-1700000001.7501"}}},
                                         ClassicCase{"TwoRowsNearTenBillion",
                                                     {{"9999999999.99999", "12345678901.00001"},
                                                      {"9999999999.99998", "12345678901.00003"}}}),
                         [](const testing::TestParamInfo<ClassicCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
