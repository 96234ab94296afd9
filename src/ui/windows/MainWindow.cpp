#include "MainWindow.h"

#include "RecentFilesMenu.h"
#include "files/FileName.h"
#include "model/Analysis.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "pages/EntryField.h"
#include "pages/EntryGridPage.h"
#include "pages/PredictionPage.h"
#include "pages/ResidualsPage.h"
#include "pages/StatisticsPage.h"
#include "pages/TabPage.h"
#include "pages/UncertaintyPage.h"
#include "platform/Clipboard.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/QtReportPrinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace qb {
namespace {

const QString kHelpFileName = QStringLiteral("QUANTORELLEBRINDEL.HLP");

// The data file a drag brings, if it brings exactly one.
std::optional<QString> DroppedDataFile(const QMimeData* data) {
    if (!data || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile()) {
        return std::nullopt;
    }
    // From the URL's bytes, which may not be UTF-8 (toLocalFile() would lose them).
    const QString path = FileNameFromBytes(QByteArray::fromPercentEncoding(
        data->urls().constFirst().path(QUrl::FullyEncoded).toLatin1()));
    if (QFileInfo(path).suffix().compare(u"rgs", Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    return path;
}

// Client area of the window below the menu bar, and the tab control inside it.
const QSize kClientSize(Px(12525), Px(8430));
const QRect kTabControl = TwipsRect(120, 120, 12255, 8175);

const QString kChartNotCurrent =
    QStringLiteral("Il grafico dei dati attuali non è ancora disegnato: aprire la pagina "
                   "«3. Analisi Grafica»");
const QString kResidualPlotNotCurrent =
    QStringLiteral("Il grafico dei residui dei dati attuali non è ancora disegnato: aprire la "
                   "pagina «6. Residui»");

} // namespace

MainWindow::MainWindow(Analysis& analysis, Services services, QWidget* parent)
    : QMainWindow(parent), analysis_(analysis), services_(std::move(services)),
      overwrite_(services_.messages) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kProgramCaption);
    BuildPages();
    session_.emplace(analysis_, chart_->picFoglio()->Surface(), residuals_->picResidui()->Surface(),
                     SessionServices{services_.files, overwrite_, services_.pastePreview,
                                     services_.clipboard, services_.printer});
    BuildMenus();
    BuildPageKeys();
    setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
    setAcceptDrops(true);
    Form_Load();
}

void MainWindow::BuildPages() {
    auto* client = new QWidget(this);
    client->setFixedSize(kClientSize);
    setCentralWidget(client);
    tabs_ = new QTabWidget(client);
    tabs_->setObjectName(QStringLiteral("SSTab"));
    tabs_->setGeometry(kTabControl);
    // A click on a tab takes the focus, so the field left is normalised before the switch.
    tabs_->setFocusPolicy(Qt::StrongFocus);
    grid_ = new EntryGridPage(analysis_);
    statistics_ = new StatisticsPage(analysis_);
    chart_ = new ChartPage(analysis_);
    prediction_ = new PredictionPage(analysis_);
    uncertainty_ = new UncertaintyPage(analysis_);
    residuals_ = new ResidualsPage(analysis_);
    tabs_->addTab(grid_, QStringLiteral("1. Ingresso Dati Rilevati"));
    tabs_->addTab(statistics_, QStringLiteral("2. Statistiche"));
    tabs_->addTab(chart_, QStringLiteral("3. Analisi Grafica"));
    tabs_->addTab(prediction_, QStringLiteral("4. Previsioni"));
    tabs_->addTab(uncertainty_, QStringLiteral("5. Incertezza"));
    tabs_->addTab(residuals_, QStringLiteral("6. Residui"));
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::SSTab_Click);
    connect(prediction_, &PredictionPage::PredictRequested, this,
            [this](const QString& x) { Follow(session_->Predict(x)); });
    connect(prediction_, &PredictionPage::ClearRequested, this, [this] {
        Follow(undo_.Record(QStringLiteral("Cancella"), Restoring::History,
                            [this] { return session_->ClearPrediction(); }));
    });
    connect(uncertainty_, &UncertaintyPage::LevelChosen, this,
            [this](ConfidenceLevel level) { session_->ChooseLevel(level); });
    connect(uncertainty_, &UncertaintyPage::BandsChosen, this,
            [this](BandsDisplay bands) { session_->ChooseBands(bands); });
}

QAction* MainWindow::AddAction(QMenu* menu, const QString& name, const QString& caption,
                               const QKeySequence& shortcut) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

void MainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MenuFile"));
    file->setToolTipsVisible(true); // a disabled entry says why
    connect(file, &QMenu::aboutToShow, this, &MainWindow::UpdateExchangeActions);
    connect(AddAction(file, QStringLiteral("MenuNuovo"), QStringLiteral("Nuovo"),
                      QKeySequence("Ctrl+N")),
            &QAction::triggered, this, [this] {
                Follow(undo_.Record(QStringLiteral("Nuovo"), Restoring::Everything,
                                    [this] { return session_->New(); }));
            });
    connect(AddAction(file, QStringLiteral("MenuApri"), QStringLiteral("Apri..."),
                      QKeySequence("Ctrl+F12")),
            &QAction::triggered, this, [this] {
                Follow(undo_.Record(QStringLiteral("Apri"), Restoring::Everything,
                                    [this] { return session_->Documents().Open(); }));
            });
    connect(AddAction(file, QStringLiteral("MenuSalva"), QStringLiteral("Salva"),
                      QKeySequence("Shift+F12")),
            &QAction::triggered, this,
            [this] { Follow(session_->Documents().Save(SaveMode::KnownName)); });
    connect(AddAction(file, QStringLiteral("MenuSalvaNome"), QStringLiteral("Salva col nome...")),
            &QAction::triggered, this,
            [this] { Follow(session_->Documents().Save(SaveMode::AskName)); });
    auto* recent = new RecentFilesMenu(analysis_, services_.messages, file);
    file->addMenu(recent);
    connect(recent, &RecentFilesMenu::FileChosen, this, &MainWindow::OpenFile);
    file->addSeparator()->setObjectName(QStringLiteral("MenuNull0"));
    connect(AddAction(file, QStringLiteral("MenuStampa"), QStringLiteral("Stampa"),
                      QKeySequence("Ctrl+Shift+F12")),
            &QAction::triggered, this, [this] { session_->Print(); });
    connect(AddAction(file, QStringLiteral("MenuEsportaReport"),
                      QStringLiteral("Esporta report PDF...")),
            &QAction::triggered, this,
            [this] { Follow(session_->Documents().ExportReport(&ReportPdf)); });
    connect(
        AddAction(file, QStringLiteral("MenuEsportaGrafico"), QStringLiteral("Esporta grafico...")),
        &QAction::triggered, this, [this] {
            Follow(session_->Documents().ExportChart([this](ChartFormat f) { return ChartAs(f); }));
        });
    file->addSeparator()->setObjectName(QStringLiteral("MenuNull1"));
    connect(
        AddAction(file, QStringLiteral("MenuEsci"), QStringLiteral("Esci"), QKeySequence("Ctrl+X")),
        &QAction::triggered, this, &MainWindow::MenuEsci_Click);

    BuildEditMenu();

    QMenu* about = menuBar()->addMenu(QStringLiteral("?"));
    about->setObjectName(QStringLiteral("MenuAbout0"));
    connect(AddAction(about, QStringLiteral("MenuAbout1"), QStringLiteral("Guida in linea"),
                      QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &MainWindow::ShowHelp);
    connect(AddAction(about, QStringLiteral("MenuAbout2"), QStringLiteral("Informazioni su...")),
            &QAction::triggered, this, &MainWindow::ShowAbout);
}

void MainWindow::BuildEditMenu() {
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Modifica"));
    edit->setObjectName(QStringLiteral("MenuModifica"));
    edit->setToolTipsVisible(true);
    BuildUndoActions(edit);
    connect(AddAction(edit, QStringLiteral("MenuIncollaCoppie"), QStringLiteral("Incolla coppie"),
                      QKeySequence("Ctrl+Shift+V")),
            &QAction::triggered, this, [this] {
                Follow(undo_.Record(QStringLiteral("Incolla coppie"), Restoring::Rows,
                                    [this] { return session_->PastePairs(); }));
            });
    connect(AddAction(edit, QStringLiteral("MenuCopiaRisultati"), QStringLiteral("Copia risultati"),
                      QKeySequence("Ctrl+Shift+C")),
            &QAction::triggered, this, [this] { session_->CopyResults(); });
    connect(AddAction(edit, QStringLiteral("MenuCopiaGrafico"), QStringLiteral("Copia grafico")),
            &QAction::triggered, this,
            [this] { session_->CopyChart([this](ChartFormat f) { return ChartAs(f); }); });
    // Kept current as the analysis changes, since a disabled action's shortcut does not fire.
    connect(&analysis_, &Analysis::ResultCaptionsChanged, this, &MainWindow::UpdateExchangeActions);
    connect(&analysis_, &Analysis::StatsValidChanged, this, &MainWindow::UpdateExchangeActions);
    connect(&analysis_, &Analysis::RowChanged, this, &MainWindow::UpdateExchangeActions);
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::UpdateExchangeActions);
    connect(edit, &QMenu::aboutToShow, this, &MainWindow::UpdateExchangeActions);
    UpdateExchangeActions();
}

void MainWindow::BuildUndoActions(QMenu* edit) {
    connect(AddAction(edit, QStringLiteral("MenuAnnulla"), QStringLiteral("Annulla"),
                      QKeySequence("Ctrl+Z")),
            &QAction::triggered, &undo_, &UndoHistory::Undo);
    QAction* redo = AddAction(edit, QStringLiteral("MenuRipeti"), QStringLiteral("Ripeti"));
    redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    connect(redo, &QAction::triggered, &undo_, &UndoHistory::Redo);
    edit->addSeparator();
    // An edit of the data page is settled once its own handler has run.
    for (int i = 0; i < kRowCapacity; ++i) {
        connect(grid_->Txt_X(i), &EntryField::FocusLost, &undo_, &UndoHistory::SettleEdit);
        connect(grid_->Txt_Y(i), &EntryField::FocusLost, &undo_, &UndoHistory::SettleEdit);
        connect(grid_->Chk_Linea(i), &QCheckBox::clicked, &undo_, &UndoHistory::SettleEdit);
    }
    connect(grid_->Cmb_NumDati(), &QComboBox::activated, &undo_, &UndoHistory::SettleEdit);
    connect(&undo_, &UndoHistory::Changed, this, &MainWindow::UpdateUndoActions);
    connect(&undo_, &UndoHistory::Restored, this, &MainWindow::FollowRestore);
}

void MainWindow::UpdateUndoActions() {
    const std::pair<const char*, QString> entries[] = {{"Annulla", undo_.UndoName()},
                                                       {"Ripeti", undo_.RedoName()}};
    for (const auto& [verb, step] : entries) {
        QAction* entry = Action(QStringLiteral("Menu") + QLatin1String(verb));
        entry->setEnabled(!step.isEmpty());
        entry->setText(step.isEmpty() ? QLatin1String(verb) : QLatin1String(verb) + u' ' + step);
    }
}

// What was put back is shown where it lies; the prediction shown belonged to the analysis left.
void MainWindow::FollowRestore(Restoring what) {
    if (what == Restoring::Everything) {
        prediction_->ClearPredictionPage();
    }
    if (what != Restoring::History) {
        ShowDataPage();
    }
    UpdateExchangeActions();
}

void MainWindow::OpenFile(const QString& path) {
    Follow(undo_.Record(QStringLiteral("Apri"), Restoring::Everything,
                        [this, &path] { return session_->Documents().Open(path); }));
}

// Work put back from a recovery copy starts the undo history, as a file opened at start would.
void MainWindow::Restore(const RecoveredWork& work) {
    Follow(session_->Documents().Restore(work));
    undo_.Reset();
}

// The tab widget hears its page keys only with the focus on it; the window hears them from any
// control, before an entry field filters them or the row count box takes Ctrl+PgUp for PgUp.
void MainWindow::BuildPageKeys() {
    const std::pair<const char*, int> keys[] = {
        {"Ctrl+Tab", 1}, {"Ctrl+PgDown", 1}, {"Ctrl+Shift+Tab", -1}, {"Ctrl+PgUp", -1}};
    for (const auto& [sequence, step] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(sequence)), this);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { TurnPage(step); });
    }
}

// As a click on a tab: the tab bar takes the focus, so the field left is normalised first.
void MainWindow::TurnPage(int step) {
    const int count = tabs_->count();
    tabs_->tabBar()->setFocus(Qt::ShortcutFocusReason);
    tabs_->setCurrentIndex((tabs_->currentIndex() + step + count) % count);
}

void MainWindow::UpdateExchangeActions() {
    Action(QStringLiteral("MenuCopiaRisultati"))->setEnabled(session_->ResultsCopyable());
    // Not redrawn here: that would compute the statistics outside a tab switch.
    const bool residualPlot = ResidualPlotShown();
    const bool chartCurrent =
        residualPlot ? session_->ResidualPlotCurrent() : session_->ChartCurrent();
    const QString& notCurrent = residualPlot ? kResidualPlotNotCurrent : kChartNotCurrent;
    for (const auto& name :
         {QStringLiteral("MenuCopiaGrafico"), QStringLiteral("MenuEsportaGrafico")}) {
        Action(name)->setEnabled(chartCurrent);
        Action(name)->setToolTip(chartCurrent ? QString() : notCurrent);
    }
}

// The residuals' page exports and copies its own plot; every other page the chart.
bool MainWindow::ResidualPlotShown() const {
    return tabs_->currentWidget() == residuals_;
}

QByteArray MainWindow::ChartAs(ChartFormat format) const {
    ChartView* view = ResidualPlotShown() ? residuals_->picResidui() : chart_->picFoglio();
    return ChartFile(view->Surface(), view->size(), view->logicalDpiY(), format);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (DroppedDataFile(e->mimeData())) {
        e->acceptProposedAction();
    }
}

void MainWindow::dropEvent(QDropEvent* e) {
    if (const auto path = DroppedDataFile(e->mimeData())) {
        e->acceptProposedAction();
        OpenFile(*path);
    }
}

QAction* MainWindow::Action(const QString& name) const {
    return findChild<QAction*>(name);
}

void MainWindow::Form_Load() {
    grid_->InitGrid();
    Follow(session_->ClearResultPages());
    ShowDataPage();
    undo_.Reset();
}

void MainWindow::Follow(const Outcome& outcome) {
    ShowChange(outcome);
    if (const auto message = NoticeMessage(outcome)) {
        Show(*message);
    }
    if (outcome.change == PageChange::PredictionRefused) {
        prediction_->PrepareForInput();
    }
    UpdateExchangeActions();
}

void MainWindow::ShowChange(const Outcome& outcome) {
    switch (outcome.change) {
    case PageChange::DataLoaded:
        prediction_->ClearPredictionPage();
        ShowDataPage();
        // Where the new rows begin, as when the row count is chosen on the page.
        grid_->Txt_X(0)->setFocus();
        break;
    case PageChange::DataLoadedWithoutRows:
        prediction_->ClearPredictionPage();
        ShowDataPage();
        break;
    case PageChange::DocumentCleared:
    case PageChange::ResultsCleared:
    case PageChange::PredictionRefused:
    case PageChange::PredictionCleared:
        prediction_->ClearPredictionPage();
        break;
    case PageChange::Predicted:
        prediction_->ShowPrediction(outcome.detail);
        break;
    case PageChange::None:
    case PageChange::ResultsShown:
        break;
    }
}

void MainWindow::ShowDataPage() {
    tabs_->setCurrentIndex(int(Page::DataTab));
}

void MainWindow::SSTab_Click(int index) {
    const auto page = Page(index);
    if (page == Page::DataTab) {
        grid_->Cmb_NumDati()->setFocus();
        return;
    }
    const Outcome outcome = session_->SwitchTo(page);
    Follow(outcome);
    if (outcome.change == PageChange::ResultsShown && page == Page::PredictionTab) {
        prediction_->PrepareForInput();
    }
}

void MainWindow::ShowHelp() {
    const QString file = QDir(services_.programDirectory).filePath(kHelpFileName);
    if (!services_.help.ShowContents(file)) {
        Show(HelpMissingMessage());
    }
}

void MainWindow::ShowAbout() {
    // Disabling the window takes the focus from its control; it gets it back on re-enabling.
    focusBeforeDisabling_ = focusWidget();
    setEnabled(false);
    emit AboutRequested();
}

void MainWindow::Show(const Message& message) {
    services_.messages.Show(message.text, message.style, message.title);
}

void MainWindow::MenuEsci_Click() {
    close();
}

void MainWindow::closeEvent(QCloseEvent* e) {
    e->accept();
    QApplication::quit(); // the program ends at once, whatever other window is open
}

void MainWindow::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    // Without a window manager nothing enforces the fixed size: put it back once the window
    // system has finished, and give up after a few refusals rather than fight it.
    if (size() == minimumSize()) {
        sizeRestores_ = 0;
    } else if (sizeRestores_ < kMaxSizeRestores) {
        ++sizeRestores_;
        QTimer::singleShot(0, this, [this] { resize(minimumSize()); });
    }
}

void MainWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::EnabledChange && isEnabled() && focusBeforeDisabling_) {
        focusBeforeDisabling_->setFocus(Qt::OtherFocusReason);
        focusBeforeDisabling_.clear();
    }
    if (e->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized)) {
        // The size is fixed: undo a maximise once the window system has finished it.
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() & ~Qt::WindowMaximized); });
    }
}

} // namespace qb
