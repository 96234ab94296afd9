// The residuals page's cost on 30 rows: everyday readings with a few rows left out and a stray
// one, and rows of seventeen significant digits, where the exact sums grow longest.

#include "engine/Residuals.h"

#include <benchmark/benchmark.h>

namespace {

// Every row's figures and state, as the page fills its table.
void ComputePage(const qb::DataSet& rows) {
    const auto figures = qb::ResidualsOf(rows);
    for (const qb::ResidualRow& r : figures->rows) {
        benchmark::DoNotOptimize(qb::ResidualStateText(r));
    }
}

// Sensor readings logged every quarter hour; every seventh row left out, row 12 off the line.
void BM_Residuals_EverydayPage(benchmark::State& state) {
    qb::DataSet rows;
    for (int i = 0; i < qb::kRowCapacity; ++i) {
        const double y = 21.5 + 0.0375 * i + 0.01 * (i % 7) + (i == 12 ? 0.9 : 0);
        rows[i] = {QString::number(1700000000.0 + 900.25 * i, 'f', 2), QString::number(y, 'f', 4),
                   i % 7 != 3, true};
    }
    for (auto _ : state) {
        ComputePage(rows);
    }
}
BENCHMARK(BM_Residuals_EverydayPage)->Unit(benchmark::kMillisecond);

void BM_Residuals_LongDigitsPage(benchmark::State& state) {
    qb::DataSet rows;
    for (int i = 0; i < qb::kRowCapacity; ++i) {
        rows[i] = {
            QString::number(0.123456789012345678 * (i + 1) + 1e-9 * i * i, 'g', 17),
            QString::number(98765.4321098765 - 3.14159265358979 * i * (1 + 1e-7 * i), 'g', 17),
            i % 5 != 0, true};
    }
    for (auto _ : state) {
        ComputePage(rows);
    }
}
BENCHMARK(BM_Residuals_LongDigitsPage)->Unit(benchmark::kMillisecond);

} // namespace
