// The uncertainty figures' cost: page 5 and one prediction's intervals on 30 everyday rows, and
// the slowest of the oracle's generated sets, ties and near-ties among them.

#include "engine/Uncertainty.h"
#include "numbers/TextValue.h"

#include <benchmark/benchmark.h>

#include <QStringList>
#include <ctime>
#include <fstream>

namespace {

struct Sample {
    qb::DataSet rows;
    qb::ConfidenceLevel level = qb::ConfidenceLevel::Percent95;
    mpq_class x0;
};

// The table's lines: name, level, rows ("x:y", "x:y:off" unchecked), prediction X, figures.
std::vector<Sample> ReadTable(const char* path) {
    std::vector<Sample> samples;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        const QStringList fields = QString::fromStdString(line).split(u'\t');
        if (line.empty() || line[0] == '#' || fields.size() < 4) {
            continue;
        }
        Sample s;
        s.level = fields[1] == "90"   ? qb::ConfidenceLevel::Percent90
                  : fields[1] == "99" ? qb::ConfidenceLevel::Percent99
                                      : qb::ConfidenceLevel::Percent95;
        int i = 0;
        for (const QString& token : fields[2].split(u' ')) {
            const QStringList p = token.split(u':');
            s.rows[i++] = {p[0], p.value(1), p.size() < 3, true};
        }
        s.x0 = qb::ExactTextValue(fields[3])->Rational();
        samples.push_back(std::move(s));
    }
    return samples;
}

void Compute(const Sample& s) {
    const auto uncertainty = qb::Uncertainty::Of(s.rows, s.level);
    benchmark::DoNotOptimize(uncertainty->Figures());
    benchmark::DoNotOptimize(uncertainty->At(s.x0));
}

// Sensor readings logged every quarter hour, the prediction one step past the last.
void BM_Uncertainty_EverydayPage(benchmark::State& state) {
    Sample s;
    for (int i = 0; i < qb::kRowCapacity; ++i) {
        s.rows[i] = {QString::number(1700000000.0 + 900.25 * i, 'f', 2),
                     QString::number(21.5 + 0.0375 * i + 0.01 * (i % 7), 'f', 4), true, true};
    }
    s.x0 = qb::ExactTextValue(u"1700027907.75")->Rational();
    for (auto _ : state) {
        Compute(s);
    }
}
BENCHMARK(BM_Uncertainty_EverydayPage)->Unit(benchmark::kMillisecond);

// This thread's processor time in seconds: on a busy machine, wall time would measure the other
// programs' turns.
double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

// Each iteration's time is the slowest set's processor time.
void BM_Uncertainty_SlowestGeneratedSet(benchmark::State& state) {
    static const std::vector<Sample> samples = ReadTable(QB_UNCERTAINTY_TABLE);
    for (auto _ : state) {
        double slowest = 0;
        for (const Sample& s : samples) {
            const double start = ThreadSeconds();
            Compute(s);
            slowest = std::max(slowest, ThreadSeconds() - start);
        }
        state.SetIterationTime(slowest);
    }
    state.counters["sets"] = double(samples.size());
}
BENCHMARK(BM_Uncertainty_SlowestGeneratedSet)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

} // namespace
