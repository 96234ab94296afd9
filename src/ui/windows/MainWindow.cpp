#include "MainWindow.h"

#include "chart/ChartDrawing.h"
#include "chart/Quadro.h"
#include "files/DataFile.h"
#include "files/FileStore.h"
#include "model/Analysis.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "pages/EntryGridPage.h"
#include "pages/PredictionPage.h"
#include "pages/StatisticsPage.h"
#include "pages/TabPage.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/ReportPrinter.h"
#include "report/ReportLines.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>

namespace qb {
namespace {

const QString kCaption = QStringLiteral("Quantorelle Brindel");
const QString kHelpFileName = QStringLiteral("QUANTORELLEBRINDEL.HLP");

// Client area of the window below the menu bar, and the tab control inside it.
const QSize kClientSize(Px(12525), Px(8430));
const QRect kTabControl = TwipsRect(120, 120, 12255, 8175);

} // namespace

MainWindow::MainWindow(Analysis& analysis, Services services, QWidget* parent)
    : QMainWindow(parent), analysis_(analysis), services_(std::move(services)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(kCaption);
    BuildPages();
    BuildMenus();
    setFixedSize(kClientSize.width(), kClientSize.height() + menuBar()->sizeHint().height());
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
    prediction_ = new PredictionPage(analysis_, services_.messages);
    tabs_->addTab(grid_, QStringLiteral("1. Ingresso Dati Rilevati"));
    tabs_->addTab(statistics_, QStringLiteral("2. Statistiche"));
    tabs_->addTab(chart_, QStringLiteral("3. Analisi Grafica"));
    tabs_->addTab(prediction_, QStringLiteral("4. Previsioni"));
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::SSTab_Click);
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
    connect(AddAction(file, QStringLiteral("MenuNuovo"), QStringLiteral("Nuovo"),
                      QKeySequence("Ctrl+N")),
            &QAction::triggered, this, &MainWindow::MenuNuovo_Click);
    connect(AddAction(file, QStringLiteral("MenuApri"), QStringLiteral("Apri..."),
                      QKeySequence("Ctrl+F12")),
            &QAction::triggered, this, &MainWindow::MenuApri_Click);
    connect(AddAction(file, QStringLiteral("MenuSalva"), QStringLiteral("Salva"),
                      QKeySequence("Shift+F12")),
            &QAction::triggered, this, &MainWindow::MenuSalva_Click);
    connect(AddAction(file, QStringLiteral("MenuSalvaNome"), QStringLiteral("Salva col nome...")),
            &QAction::triggered, this, &MainWindow::MenuSalvaNome_Click);
    file->addSeparator()->setObjectName(QStringLiteral("MenuNull0"));
    connect(AddAction(file, QStringLiteral("MenuStampa"), QStringLiteral("Stampa"),
                      QKeySequence("Ctrl+Shift+F12")),
            &QAction::triggered, this, &MainWindow::MenuStampa_Click);
    file->addSeparator()->setObjectName(QStringLiteral("MenuNull1"));
    connect(
        AddAction(file, QStringLiteral("MenuEsci"), QStringLiteral("Esci"), QKeySequence("Ctrl+X")),
        &QAction::triggered, this, &MainWindow::MenuEsci_Click);

    QMenu* about = menuBar()->addMenu(QStringLiteral("?"));
    about->setObjectName(QStringLiteral("MenuAbout0"));
    connect(AddAction(about, QStringLiteral("MenuAbout1"), QStringLiteral("Guida in linea"),
                      QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &MainWindow::MenuAbout1_Click);
    connect(AddAction(about, QStringLiteral("MenuAbout2"), QStringLiteral("Informazioni su...")),
            &QAction::triggered, this, &MainWindow::MenuAbout2_Click);
}

QAction* MainWindow::Action(const QString& name) const {
    return findChild<QAction*>(name);
}

void MainWindow::Form_Load() {
    grid_->InitGrid();
    ClearStatisticsPage();
    ClearChartPage();
    ClearPredictionPage();
    analysis_.InvalidateStatistics();
    tabs_->setCurrentIndex(DataTab);
}

void MainWindow::ClearStatisticsPage() {
    const BusyScope busy(analysis_);
    analysis_.ClearResultCaptions();
}

void MainWindow::ClearChartPage() {
    const BusyScope busy(analysis_);
    chart_->picFoglio()->Surface().Clear();
}

void MainWindow::ClearPredictionPage() {
    prediction_->ClearPredictionPage();
}

void MainWindow::SSTab_Click(int page) {
    if (page == DataTab) {
        grid_->Cmb_NumDati()->setFocus();
        return;
    }
    if (!analysis_.ComputeStatistics() || (page >= ChartTab && !ChartSequence())) {
        TabSwitchFailure();
        return;
    }
    if (page == PredictionTab) {
        prediction_->PrepareForInput();
    }
}

bool MainWindow::ChartSequence() {
    DrawingSurface& surface = chart_->picFoglio()->Surface();
    const Extremes& e = analysis_.Limits();
    QuadroArgs args;
    const auto format = QStringLiteral("#######0.0");
    args.formatX = args.formatY = format;
    args.labelX = QStringLiteral("Serie X");
    args.labelY = QStringLiteral("Serie Y");
    args.decimalSeparator = analysis_.DecimalSeparator();
    QuadroOutputs unused;
    // Limits beyond the 32-bit range cannot be drawn: the chart fails without a message.
    analysis_.SetChartOk(NarrowToFloat(e.XMin, args.xMin) && NarrowToFloat(e.XMax, args.xMax) &&
                         NarrowToFloat(e.YMin, args.yMin) && NarrowToFloat(e.YMax, args.yMax) &&
                         Quadro(surface, args, unused, services_.messages));
    if (!analysis_.ChartOk()) {
        return false;
    }
    analysis_.SetChartOk(PlotPoints(surface, analysis_.Rows()));
    if (!analysis_.ChartOk()) {
        return false;
    }
    analysis_.SetChartOk(DrawRegressionLine(surface, e, analysis_.Figures()));
    return analysis_.ChartOk();
}

void MainWindow::TabSwitchFailure() {
    analysis_.InvalidateStatistics();
    ClearStatisticsPage();
    ClearChartPage();
    ClearPredictionPage();
}

void MainWindow::MenuAbout1_Click() {
    const QString file = QDir(services_.programDirectory).filePath(kHelpFileName);
    if (!services_.help.ShowContents(file)) {
        ShowMessage(QStringLiteral("File di Help errato o mancante"), kErrorStyle);
    }
}

void MainWindow::MenuAbout2_Click() {
    // Disabling the window takes the focus from its control; it gets it back on re-enabling.
    focusBeforeDisabling_ = focusWidget();
    setEnabled(false);
    emit AboutRequested();
}

void MainWindow::MenuNuovo_Click() {
    ClearStatisticsPage();
    ClearChartPage();
    ClearPredictionPage();
    analysis_.InvalidateStatistics();
    grid_->ClearGrid();
    // A new analysis belongs to no file: the next "Salva" asks for a name instead of writing
    // the new data over the file opened before.
    analysis_.SetCurrentFileName(QString());
}

void MainWindow::MenuApri_Click() {
    const auto path = ChooseDataFile(FileDialogRequest::Open);
    if (!path) {
        LoadFailureExit();
        return;
    }
    OpenFile(*path);
}

void MainWindow::OpenFile(const QString& path) {
    lastChosenName_ = path; // also when the name came from the command line
    analysis_.SetCurrentFileName(path);
    LoadDataFile();
}

std::optional<QString> MainWindow::ChooseDataFile(FileDialogRequest::Kind kind) {
    FileDialogRequest request;
    request.kind = kind;
    request.filters = {{QStringLiteral("File dati (*.rgs)"), QStringLiteral("*.rgs")},
                       {QStringLiteral("Tutti i file (*.*)"), QStringLiteral("*.*")}};
    request.initialName = lastChosenName_;
    const auto chosen = services_.files.Show(request);
    if (chosen) {
        lastChosenName_ = *chosen;
    }
    return chosen;
}

void MainWindow::LoadDataFile() {
    using Stop = DataFileContent::Stop;
    analysis_.SetBusy(true);
    const QString name = analysis_.CurrentFileName();
    const DataFileContent content = ReadDataFile(ProfileText::FromFile(name));
    if (!content.Reaches(Stop::NotDataFile)) {
        ShowMessage(QStringLiteral("Il file ") + name +
                        QStringLiteral(" non è un file valido per questo programma."),
                    kErrorStyle);
        LoadFailureExit();
        return;
    }
    grid_->ClearGrid();
    ClearPredictionPage();
    analysis_.InvalidateStatistics();
    tabs_->setCurrentIndex(DataTab);
    if (!content.Reaches(Stop::RowCount)) {
        LoadFailureExit();
        return;
    }
    analysis_.ChooseRowCount(content.rowCount);
    for (int i = 0; i < content.rowCount; ++i) {
        const DataRow& row = content.rows[i];
        analysis_.SetText(Column::X, i, row.x);
        analysis_.SetText(Column::Y, i, row.y);
        analysis_.SetUsed(i, row.used);
    }
    if (!content.Reaches(Stop::Statistics)) {
        LoadFailureExit();
        return;
    }
    analysis_.LoadStatistics(content.statistics, StoredStatisticsValid(content.statistics));
    if (!content.Reaches(Stop::ItemCount)) {
        LoadFailureExit();
        return;
    }
    analysis_.ReplaceHistory(content.history);
    analysis_.SetBusy(false);
}

void MainWindow::LoadFailureExit() {
    analysis_.SetBusy(false);
    analysis_.SetCurrentFileName(QString());
}

void MainWindow::MenuSalva_Click() {
    if (analysis_.CurrentFileName().isEmpty()) {
        MenuSalvaNome_Click();
        return;
    }
    SaveDataFile(false);
}

void MainWindow::MenuSalvaNome_Click() {
    const auto path = ChooseDataFile(FileDialogRequest::Save);
    if (!path) {
        return;
    }
    const QString previous = analysis_.CurrentFileName();
    analysis_.SetCurrentFileName(*path);
    // A declined overwrite keeps the program bound to its file, so that "Salva" does not write
    // into the one the user refused to replace.
    if (SaveDataFile(true) == SaveOutcome::Declined) {
        analysis_.SetCurrentFileName(previous);
    }
}

MainWindow::SaveOutcome MainWindow::SaveDataFile(bool ask) {
    const QString name = analysis_.CurrentFileName();
    if (ConfirmOverwrite(ask)) {
        ShowMessage(QStringLiteral("I dati non sono stati salvati"), kErrorStyle);
        return SaveOutcome::Declined;
    }
    // A failed write is reported also without asking: keeping silent would let the user
    // believe the data safe.
    if (!ReplaceFileContents(name, DataFileBytes(analysis_))) {
        ShowMessage(QStringLiteral("Errore occorso durante la creazione del file ") + name,
                    kErrorStyle);
        return SaveOutcome::Failed;
    }
    if (ask) {
        ShowMessage(QStringLiteral("Il file ") + name +
                        QStringLiteral(" è stato salvato correttamente"),
                    kConfirmationStyle);
    }
    return SaveOutcome::Written;
}

bool MainWindow::ConfirmOverwrite(bool ask) {
    const QString name = analysis_.CurrentFileName();
    if (!ask || !FileOpensForReading(name)) {
        return false;
    }
    // The old file is replaced only once the new one is complete, so nothing is deleted here.
    return ShowMessage(QStringLiteral("Sovrascrivere il file ") + name + u'?', kQuestionStyle) !=
           MessageAnswer::Yes;
}

MessageAnswer MainWindow::ShowMessage(const QString& text, MessageStyle style) {
    return services_.messages.Show(text, style, windowTitle());
}

// Straight to the default printer: no dialog, no preview, no message, and no change of state.
void MainWindow::MenuStampa_Click() {
    services_.printer.Print(ReportLines(ReportInputsOf(analysis_)));
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
