#pragma once

#include "Notices.h"
#include "UndoHistory.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "session/Session.h"

#include <QMainWindow>
#include <QPointer>
#include <optional>

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
class ResidualsPage;
class ReportPrinter;
class StatisticsPage;
class UncertaintyPage;
struct RecoveredWork;

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

// The program's working window: the six pages and the menus over the session's commands, whose
// outcomes it shows. A data file dropped on it is opened.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Analysis& analysis, Services services, QWidget* parent = nullptr);

    using Page = qb::Page;

    QTabWidget* SSTab() const { return tabs_; }
    EntryGridPage* Grid() const { return grid_; }
    StatisticsPage* StatsPage() const { return statistics_; }
    PredictionPage* PredictPage() const { return prediction_; }
    ChartPage* PlotPage() const { return chart_; }
    UncertaintyPage* UncertainPage() const { return uncertainty_; }
    ResidualsPage* ResidualPage() const { return residuals_; }
    QAction* Action(const QString& name) const;

    // Binds the program to a data file and loads it, as "Apri..." does with the chosen file.
    void OpenFile(const QString& path);
    // Puts back the work of an instance that ended without saving it.
    void Restore(const RecoveredWork& work);

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
    void BuildUndoActions(QMenu* edit);
    void UpdateUndoActions();
    void FollowRestore(Restoring what);
    void BuildPageKeys();
    void TurnPage(int step);
    void UpdateExchangeActions();
    // Shows what a command changed and tells what it has to.
    void Follow(const Outcome& outcome);
    void ShowChange(const Outcome& outcome);
    bool ResidualPlotShown() const;
    QByteArray ChartAs(ChartFormat format) const;
    QAction* AddAction(QMenu* menu, const QString& name, const QString& caption,
                       const QKeySequence& shortcut = {});
    void Form_Load();
    void SSTab_Click(int index);
    void ShowDataPage();
    void ShowHelp();
    void ShowAbout();
    void MenuEsci_Click();
    void Show(const Message& message);

    Analysis& analysis_;
    Services services_;
    QTabWidget* tabs_ = nullptr;
    EntryGridPage* grid_ = nullptr;
    StatisticsPage* statistics_ = nullptr;
    PredictionPage* prediction_ = nullptr;
    ChartPage* chart_ = nullptr;
    UncertaintyPage* uncertainty_ = nullptr;
    ResidualsPage* residuals_ = nullptr;
    MessageBoxOverwriteQuestion overwrite_;
    std::optional<Session> session_; // made once the chart page it draws on is
    UndoHistory undo_{analysis_};

    QPointer<QWidget> focusBeforeDisabling_;
    static constexpr int kMaxSizeRestores = 3;
    int sizeRestores_ = 0; // attempts since the window last had its fixed size
};

} // namespace qb
