// The main window: caption, pages, menus, the tab switch that computes the statistics, the help
// command and the exit shortcut.
#include "ProgramUnderTest.h"
#include "pages/StatisticsPage.h"
#include "platform/QtHelpViewer.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTextBrowser>

using namespace qb;

namespace {

const QList<std::pair<QString, QString>> kWorkedExample = {
    {"1", "2"}, {"2", "3"}, {"3", "5"}, {"4", "6"}};

QStringList ShownFigures(ProgramUnderTest& p) {
    QStringList shown;
    for (int i = 0; i < kFigureCount; ++i) {
        shown << p.window.StatsPage()->Lab_Ris(i)->text();
    }
    return shown;
}

bool PageIsEmpty(ProgramUnderTest& p) {
    for (const QString& text : ShownFigures(p)) {
        if (!text.isEmpty()) {
            return false;
        }
    }
    return true;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void hasItsCaptionPagesAndFixedSize() {
        ProgramUnderTest p;
        QVERIFY(p.ready);
        QCOMPARE(p.window.windowTitle(), QStringLiteral("Quantorelle Brindel"));
        const QStringList tabs = {"1. Ingresso Dati Rilevati", "2. Statistiche",
                                  "3. Analisi Grafica", "4. Previsioni"};
        for (int i = 0; i < tabs.size(); ++i) {
            QCOMPARE(p.window.SSTab()->tabText(i), tabs[i]);
        }
        QCOMPARE(p.window.SSTab()->currentIndex(), 0);
        QCOMPARE(p.window.minimumSize(), p.window.maximumSize());
        QCOMPARE(p.window.centralWidget()->size(), QSize(835, 562));
    }

    void menuEntries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::newRow("new") << "MenuNuovo"
                             << "Nuovo" << QKeySequence("Ctrl+N");
        QTest::newRow("open") << "MenuApri"
                              << "Apri..." << QKeySequence("Ctrl+F12");
        QTest::newRow("save") << "MenuSalva"
                              << "Salva" << QKeySequence("Shift+F12");
        QTest::newRow("save as") << "MenuSalvaNome"
                                 << "Salva col nome..." << QKeySequence();
        QTest::newRow("print") << "MenuStampa"
                               << "Stampa" << QKeySequence("Ctrl+Shift+F12");
        QTest::newRow("exit") << "MenuEsci"
                              << "Esci" << QKeySequence("Ctrl+X");
        QTest::newRow("help") << "MenuAbout1"
                              << "Guida in linea" << QKeySequence("F1");
        QTest::newRow("about") << "MenuAbout2"
                               << "Informazioni su..." << QKeySequence();
    }
    void menuEntries() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        ProgramUnderTest p;
        QAction* a = p.window.Action(name);
        QVERIFY(a);
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut(), shortcut);
    }

    void menuBarHasTwoMenus() {
        ProgramUnderTest p;
        const auto menus = p.window.menuBar()->actions();
        QCOMPARE(menus.size(), 2);
        QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
        QCOMPARE(menus[1]->text(), QStringLiteral("?"));
    }

    void statisticsPageShowsTheFigures_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QStringList>("figures");
        QTest::newRow("point") << QChar(u'.')
                               << QStringList{"2.50000",    "4.00000",    "7.50000",   "18.50000",
                                              "11.75000",   "1.11803",    "1.58114",   "1.32288",
                                              "1.40000000", "0.50000000", "0.98994949"};
        QTest::newRow("comma") << QChar(u',')
                               << QStringList{"2,50000",    "4,00000",    "7,50000",   "18,50000",
                                              "11,75000",   "1,11803",    "1,58114",   "1,32288",
                                              "1,40000000", "0,50000000", "0,98994949"};
    }
    void statisticsPageShowsTheFigures() {
        QFETCH(QChar, separator);
        QFETCH(QStringList, figures);
        ProgramUnderTest p(separator);
        p.ChooseRowCount(4);
        p.EnterRows(kWorkedExample);
        p.ClickTab(MainWindow::StatisticsTab);
        QCOMPARE(p.window.SSTab()->currentIndex(), 1);
        QVERIFY(p.analysis.StatsValid());
        QCOMPARE(ShownFigures(p), figures);
        QCOMPARE(p.analysis.Limits(), (Extremes{1, 4, 2, 6}));
    }

    void aFieldLeftForATabIsNormalisedBeforeTheComputation() {
        ProgramUnderTest p;
        p.EnterRows({{"1", "2"}, {"3", "."}});
        p.ClickTab(MainWindow::StatisticsTab);
        QCOMPARE(p.Y(1)->text(), QStringLiteral("0"));
        QCOMPARE(ShownFigures(p)[8], QStringLiteral("-1.00000000"));
    }

    void noCheckedRowLeavesEveryPageEmptyWithoutMessage() {
        ProgramUnderTest p;
        p.EnterRows({{"1", "2"}, {"2", "5"}});
        p.ClickTab(MainWindow::StatisticsTab);
        QVERIFY(!PageIsEmpty(p));
        p.analysis.AppendHistoryItem(QStringLiteral("X = 1 / Y = 2"));
        p.ClickTab(MainWindow::DataTab);
        QCOMPARE(QApplication::focusWidget(), p.grid().Cmb_NumDati());
        QCOMPARE(p.analysis.History().size(), 1); // back on page 1 nothing is recomputed

        p.grid().Chk_Linea(0)->click();
        p.grid().Chk_Linea(1)->click();
        p.ClickTab(MainWindow::StatisticsTab);
        QVERIFY(PageIsEmpty(p));
        QVERIFY(!p.analysis.StatsValid());
        QVERIFY(p.analysis.Figures().AllZero());
        QVERIFY(p.analysis.History().isEmpty());
        QVERIFY(p.messages.requests.isEmpty());
    }

    void everySwitchRecomputes() {
        ProgramUnderTest p;
        p.EnterRows({{"1", "2"}, {"2", "4"}});
        p.ClickTab(MainWindow::ChartTab);
        QCOMPARE(ShownFigures(p)[8], QStringLiteral("2.00000000"));
        p.grid().Chk_Linea(1)->click(); // no reaction until the next switch
        QVERIFY(p.analysis.StatsValid());
        p.ClickTab(MainWindow::PredictionTab);
        QVERIFY(!p.analysis.StatsValid());
        QVERIFY(PageIsEmpty(p));
    }

    void newOnAnotherPageLeavesTheKeysThere() {
        ProgramUnderTest p;
        p.EnterRows(kWorkedExample);
        p.ClickTab(MainWindow::PredictionTab);
        QTest::keyClick(&p.window, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(QApplication::focusWidget()->isVisible());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        QVERIFY(p.X(0)->text().isEmpty());
    }

    void maximisingIsUndone() {
        ProgramUnderTest p;
        const QSize size = p.window.size();
        p.window.showMaximized();
        QTRY_VERIFY(!(p.window.windowState() & Qt::WindowMaximized));
        QCOMPARE(p.window.size(), size);
    }

    void exitShortcutQuitsFromInsideAFieldWithoutCutting() {
        ProgramUnderTest p;
        p.TypeInto(p.X(0), QStringLiteral("42"));
        p.X(0)->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("kept"));
        QTest::keyClick(p.X(0), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!p.window.isVisible());
        QCOMPARE(p.X(0)->text(), QStringLiteral("42"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    }

    void helpWithoutItsFileShowsTheMessage() {
        ProgramUnderTest p(u'.', QStringLiteral("/nowhere"));
        QTest::keyClick(p.X(0), Qt::Key_F1);
        QCOMPARE(p.help.shown, QStringList{"/nowhere/QUANTORELLEBRINDEL.HLP"});
        QCOMPARE(p.messages.requests.size(), 1);
        QCOMPARE(p.messages.requests[0].text, QStringLiteral("File di Help errato o mancante"));
        QCOMPARE(p.messages.requests[0].style, kErrorStyle);
        QCOMPARE(p.messages.requests[0].title, QStringLiteral("Quantorelle Brindel"));
    }

    void helpThatOpensShowsNoMessage() {
        ProgramUnderTest p;
        p.help.succeeds = true;
        p.window.Action(QStringLiteral("MenuAbout1"))->trigger();
        QCOMPARE(p.help.shown.size(), 1);
        QVERIFY(p.messages.requests.isEmpty());
    }

    void helpViewerShowsAReadableFileAndRefusesAMissingOne() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QUANTORELLEBRINDEL.HLP"));
        QtHelpViewer viewer;
        QVERIFY(!viewer.ShowContents(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>Guida</title></head><body><h1>Indice</h1></body></html>");
        file.close();
        QVERIFY(viewer.ShowContents(path));
        QVERIFY(viewer.Window()->isVisible());
        QCOMPARE(viewer.Window()->windowTitle(), QStringLiteral("Guida"));
        QVERIFY(viewer.Window()->toPlainText().contains(QStringLiteral("Indice")));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
