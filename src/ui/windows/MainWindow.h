#pragma once

#include "engine/DataSet.h"
#include "files/DocumentCommands.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QTabWidget;

namespace qb {

class Analysis;
class ChartPage;
class Clipboard;
class EntryGridPage;
class HelpViewer;
class PastePreview;
class PredictionPage;
class ReportPrinter;
class StatisticsPage;

// What the main window asks of the desktop.
struct Services {
    MessageBox& messages;
    HelpViewer& help;
    FileDialog& files;
    ReportPrinter& printer;
    Clipboard& clipboard;
    PastePreview& pastePreview;
    QString programDirectory; // where the help file lies beside the executable
};

// The program's working window: the four pages, the menus and the tab switch that computes
// the statistics on demand. A data file dropped on it is opened.
class MainWindow final : public QMainWindow, private DocumentView {
    Q_OBJECT
public:
    MainWindow(Analysis& analysis, Services services, QWidget* parent = nullptr);

    enum class Page { DataTab, StatisticsTab, ChartTab, PredictionTab };

    QTabWidget* SSTab() const { return tabs_; }
    EntryGridPage* Grid() const { return grid_; }
    StatisticsPage* StatsPage() const { return statistics_; }
    PredictionPage* PredictPage() const { return prediction_; }
    ChartPage* PlotPage() const { return chart_; }
    QAction* Action(const QString& name) const;

    void ClearStatisticsPage();
    void ClearChartPage();
    void ClearPredictionPage() override;

    // Binds the program to a data file and loads it, as "Apri..." does with the chosen file.
    void OpenFile(const QString& path) { documents_.Open(path); }

signals:
    // "Informazioni su...": the window has disabled itself; the About window is to be shown.
    void AboutRequested();

protected:
    void changeEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void BuildPages();
    void BuildMenus();
    void BuildEditMenu();
    void BuildPageKeys();
    void TurnPage(int step);
    void UpdateExchangeActions();
    void CopyResults();
    void CopyChart();
    QByteArray ChartAs(ChartFormat format) const;
    QAction* AddAction(QMenu* menu, const QString& name, const QString& caption,
                       const QKeySequence& shortcut = {});
    void Form_Load();
    void SSTab_Click(int index);
    bool ChartSequence();
    void ClearResultPages() override;
    void ClearDataPage() override;
    void ShowDataPage() override;
    void ShowHelp();
    void ShowAbout();
    void PrintReport();
    void MenuEsci_Click();

    // Every message of the window carries its caption as title.
    MessageAnswer ShowMessage(const QString& text, MessageStyle style);

    Analysis& analysis_;
    Services services_;
    QTabWidget* tabs_ = nullptr;
    EntryGridPage* grid_ = nullptr;
    StatisticsPage* statistics_ = nullptr;
    PredictionPage* prediction_ = nullptr;
    ChartPage* chart_ = nullptr;
    DocumentCommands documents_;
    QPointer<QWidget> focusBeforeDisabling_;
    static constexpr int kMaxSizeRestores = 3;
    int sizeRestores_ = 0; // attempts since the window last had its fixed size
    DataSet chartRows_;    // the rows the chart page's drawing was made from
};

} // namespace qb
