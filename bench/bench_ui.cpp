// What a user waits for on a click: the switch to "3. Analisi Grafica" with 30 rows, the
// figures computed and the chart drawn and painted once. Runs offscreen.
#include "model/Analysis.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "support/ScriptedClipboard.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedHelpViewer.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedPastePreview.h"
#include "support/ScriptedReportPrinter.h"
#include "windows/MainWindow.h"

#include <QApplication>
#include <QTabWidget>
#include <benchmark/benchmark.h>

namespace {

void BM_ChartTabSwitch(benchmark::State& state) {
    qb::ScriptedMessageBox messages;
    qb::ScriptedHelpViewer help;
    qb::ScriptedFileDialog files;
    qb::ScriptedReportPrinter printer;
    qb::ScriptedClipboard clipboard;
    qb::ScriptedPastePreview pastePreview;
    qb::Analysis analysis(u'.');
    qb::MainWindow window(analysis,
                          {messages, help, files, printer, clipboard, pastePreview, QString()});
    window.show();
    analysis.ChooseRowCount(qb::kRowCapacity);
    for (int i = 0; i < qb::kRowCapacity; ++i) {
        analysis.SetText(qb::Column::X, i, QString::number(i * 3.7 - 20));
        analysis.SetText(qb::Column::Y, i, QString::number(i * i * 0.4 + 1.5));
    }
    QApplication::processEvents();
    for (auto _ : state) {
        window.SSTab()->setCurrentIndex(int(qb::MainWindow::Page::ChartTab));
        window.PlotPage()->picFoglio()->repaint();
        state.PauseTiming();
        window.SSTab()->setCurrentIndex(int(qb::MainWindow::Page::DataTab));
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (!analysis.StatsValid() || !messages.requests.isEmpty()) {
        state.SkipWithError("the chart was not drawn");
    }
}
BENCHMARK(BM_ChartTabSwitch)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
