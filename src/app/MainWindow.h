#pragma once

#include <QMainWindow>

class QAction;
class QTabWidget;

namespace qb {

class Analysis;
class ChartPage;
class EntryGridPage;
class HelpViewer;
class MessageBox;
class PredictionPage;
class StatisticsPage;

// What the main window asks of the desktop.
struct Services {
    MessageBox& messages;
    HelpViewer& help;
    QString programDirectory; // where the help file lies beside the executable
};

// The program's working window: the four pages, the two menus and the tab switch that
// computes the statistics on demand.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Analysis& analysis, Services services, QWidget* parent = nullptr);

    enum Page { DataTab, StatisticsTab, ChartTab, PredictionTab };

    QTabWidget* SSTab() const { return tabs_; }
    EntryGridPage* grid() const { return grid_; }
    StatisticsPage* statisticsPage() const { return statistics_; }
    PredictionPage* predictionPage() const { return prediction_; }
    ChartPage* chartPage() const { return chart_; }
    QAction* action(const QString& name) const;

    void ClearStatisticsPage();
    void ClearChartPage();
    void ClearPredictionPage();

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildPages();
    void BuildMenus();
    QAction* AddAction(QMenu* menu, const QString& name, const QString& caption,
                       const QKeySequence& shortcut = {});
    void Form_Load();
    void SSTab_Click(int page);
    bool ChartSequence();
    void TabSwitchFailure();
    void MenuAbout1_Click();
    void MenuEsci_Click();

    Analysis& analysis_;
    Services services_;
    QTabWidget* tabs_ = nullptr;
    EntryGridPage* grid_ = nullptr;
    StatisticsPage* statistics_ = nullptr;
    PredictionPage* prediction_ = nullptr;
    ChartPage* chart_ = nullptr;
};

} // namespace qb
