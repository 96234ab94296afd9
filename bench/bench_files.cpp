// Writing and reading a data file of 30 rows with a 10,000-item history, in memory and through
// the file system.
#include "files/DataFile.h"
#include "files/FileStore.h"
#include "model/Analysis.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void FillLargeAnalysis(qb::Analysis& analysis) {
    analysis.ChooseRowCount(qb::kRowCapacity);
    for (int i = 0; i < qb::kRowCapacity; ++i) {
        analysis.SetText(qb::Column::X, i, QString::number(i * 1.25 + 0.5));
        analysis.SetText(qb::Column::Y, i, QString::number(1000 - i * i * 0.75));
    }
    analysis.ComputeStatistics();
    QStringList history;
    for (int i = 0; i < 10000; ++i) {
        history << QStringLiteral("X = %1.00000 / Y = %2.50000").arg(i).arg(3 * i);
    }
    analysis.ReplaceHistory(history);
}

void BM_WriteBytes(benchmark::State& state) {
    qb::Analysis analysis(u'.');
    FillLargeAnalysis(analysis);
    for (auto _ : state) {
        benchmark::DoNotOptimize(qb::DataFileBytes(analysis.Snapshot()));
    }
}
BENCHMARK(BM_WriteBytes)->Unit(benchmark::kMillisecond);

void BM_ReadBytes(benchmark::State& state) {
    qb::Analysis analysis(u'.');
    FillLargeAnalysis(analysis);
    const QByteArray bytes = qb::DataFileBytes(analysis.Snapshot());
    for (auto _ : state) {
        benchmark::DoNotOptimize(qb::ReadDataFile(qb::ProfileText::FromBytes(bytes)));
    }
}
BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond);

// The round trip a user waits for: the file saved all or nothing, then opened.
void BM_FileRoundTrip(benchmark::State& state) {
    qb::Analysis analysis(u'.');
    FillLargeAnalysis(analysis);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.rgs"));
    for (auto _ : state) {
        if (qb::ReplaceFileContents(path, qb::DataFileBytes(analysis.Snapshot())) !=
            qb::Replacement::Done) {
            state.SkipWithError("the file could not be written");
            break;
        }
        benchmark::DoNotOptimize(qb::ReadDataFile(qb::ProfileText::FromFile(path)));
    }
}
BENCHMARK(BM_FileRoundTrip)->Unit(benchmark::kMillisecond);

// The largest file the reader accepts, filled with distinct short keys: all in the history's
// section (argument 0), or each in a section of its own (1).
QByteArray LargestFile(bool sectionPerKey) {
    QByteArray bytes = "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=30\r\n"
                       "[Computation]\r\nItems=32767\r\n";
    for (int key = 0;; ++key) {
        const QByteArray line =
            (sectionPerKey ? "[Computation]\r\n" : "") + QByteArray::number(key, 36) + "=\r\n";
        if (bytes.size() + line.size() > qb::ProfileText::kMaxFileSize) {
            return bytes;
        }
        bytes += line;
    }
}

void BM_OpenLargestFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("largest.rgs"));
    if (qb::ReplaceFileContents(path, LargestFile(state.range(0) == 1)) != qb::Replacement::Done) {
        state.SkipWithError("the file could not be written");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(qb::ReadDataFile(qb::ProfileText::FromFile(path)));
    }
}
BENCHMARK(BM_OpenLargestFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
