// What a user waits for on a click: the switch to "3. Analisi Grafica" with 30 rows, the
// figures computed and the chart drawn and painted once; and a keystroke in a data field, with the
// recovery copy kept as the program keeps it and without. Runs offscreen.
#include "model/Analysis.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "pages/EntryField.h"
#include "pages/EntryGridPage.h"
#include "session/RecoveryFolder.h"
#include "session/RecoveryKeeper.h"
#include "support/ScriptedClipboard.h"
#include "support/ScriptedFileDialog.h"
#include "support/ScriptedHelpViewer.h"
#include "support/ScriptedMessageBox.h"
#include "support/ScriptedPastePreview.h"
#include "support/ScriptedReportPrinter.h"
#include "windows/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

// The main window over 30 typed rows, its services scripted.
struct FilledWindow {
    qb::ScriptedMessageBox messages;
    qb::ScriptedHelpViewer help;
    qb::ScriptedFileDialog files;
    qb::ScriptedReportPrinter printer;
    qb::ScriptedClipboard clipboard;
    qb::ScriptedPastePreview pastePreview;
    qb::Analysis analysis{u'.'};
    qb::MainWindow window{analysis,
                          {messages, help, files, printer, clipboard, pastePreview, QString()}};

    FilledWindow() {
        window.show();
        analysis.ChooseRowCount(qb::kRowCapacity);
        for (int i = 0; i < qb::kRowCapacity; ++i) {
            analysis.SetText(qb::Column::X, i, QString::number(i * 3.7 - 20));
            analysis.SetText(qb::Column::Y, i, QString::number(i * i * 0.4 + 1.5));
        }
        QApplication::processEvents();
    }
};

void BM_ChartTabSwitch(benchmark::State& state) {
    FilledWindow filled;
    auto& window = filled.window;
    for (auto _ : state) {
        window.SSTab()->setCurrentIndex(int(qb::MainWindow::Page::ChartTab));
        window.PlotPage()->picFoglio()->repaint();
        state.PauseTiming();
        window.SSTab()->setCurrentIndex(int(qb::MainWindow::Page::DataTab));
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (!filled.analysis.StatsValid() || !filled.messages.requests.isEmpty()) {
        state.SkipWithError("the chart was not drawn");
    }
}
BENCHMARK(BM_ChartTabSwitch)->Unit(benchmark::kMicrosecond);

enum class Recovery { Off, On };

// One keystroke a round, a digit typed or taken back in the last X field, and the events it
// leaves handled, the recovery timer's among them: a repetition lasts more than twice the timer's
// delay, so the copy is written during each.
void BM_Keystroke(benchmark::State& state) {
    FilledWindow filled;
    const QTemporaryDir place;
    const qb::RecoveryFolder folder(place.path());
    filled.analysis.MarkUnchanged(); // as at start-up: the typing is what the copy keeps
    std::optional<qb::RecoveryKeeper> keeper;
    if (Recovery(state.range(0)) == Recovery::On) {
        keeper.emplace(filled.analysis, folder.OwnCopy());
    }
    QWidget* field = filled.window.Grid()->Txt_X(qb::kRowCapacity - 1);
    bool typed = false;
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        QTest::keyClick(field, typed ? Qt::Key_Backspace : Qt::Key_7);
        QApplication::processEvents();
        typed = !typed;
    }
    // The shorter runs that size a repetition may end before the first write.
    const bool longRun = std::chrono::milliseconds(clock.elapsed()) > 2 * qb::kRecoveryDelay;
    if (keeper && longRun && !QFileInfo::exists(folder.OwnCopy())) {
        state.SkipWithError("no recovery copy was written");
    }
}
BENCHMARK(BM_Keystroke)
    ->ArgName("recovery")
    ->Arg(int(Recovery::Off))
    ->Arg(int(Recovery::On))
    ->MinTime(4.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
