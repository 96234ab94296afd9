// The engine's cost for a full data set, on everyday and on ill-conditioned texts.

#include "engine/DataSet.h"
#include "engine/Engine.h"
#include "engine/Statistics.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

// Every row used and active; the texts are parsed inside the measured call, as in the program.
template <typename MakeX, typename MakeY> qb::DataSet FullRows(MakeX makeX, MakeY makeY) {
    qb::DataSet rows;
    for (int i = 0; i < qb::kRowCapacity; ++i) {
        rows[i] = {makeX(i), makeY(i), true, true};
    }
    return rows;
}

void Run(benchmark::State& state, const qb::DataSet& rows) {
    for (auto _ : state) {
        qb::Statistics stats;
        qb::Extremes extremes;
        const qb::ComputeOutcome outcome = qb::ComputeStatistics(rows, stats, extremes);
        benchmark::DoNotOptimize(outcome);
        benchmark::DoNotOptimize(stats);
    }
}

// Sensor readings logged every quarter hour.
void BM_ComputeStatistics_Readings(benchmark::State& state) {
    const qb::DataSet rows =
        FullRows([](int i) { return QString::number(1700000000.0 + 900.25 * i, 'f', 2); },
                 [](int i) { return QString::number(21.5 + 0.0375 * i + 0.01 * (i % 7), 'f', 4); });
    Run(state, rows);
}
BENCHMARK(BM_ComputeStatistics_Readings);

// Consecutive billions against a near-perfect line: deviations are tiny next to the values.
void BM_ComputeStatistics_IllConditioned(benchmark::State& state) {
    const qb::DataSet rows = FullRows(
        [](int i) { return QString::number(1000000001 + i); },
        [](int i) { return QString::number(2000000002.0 + 2 * i + 0.000001 * (i % 3), 'f', 6); });
    Run(state, rows);
}
BENCHMARK(BM_ComputeStatistics_IllConditioned);

} // namespace
