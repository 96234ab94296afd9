// The main window: the tab switch that reports a scale error, "Nuovo" from another page, the help
// command with its viewer, and what a screen reader finds, read through Qt's accessibility.
#include "ProgramUnderTest.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "pages/StatisticsPage.h"
#include "platform/QtHelpViewer.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QTextBrowser>

using namespace qb;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // X limits apart as 64-bit numbers fall together as 32-bit ones.
    void aScaleErrorIsToldAndEmptiesThePages() {
        ProgramUnderTest p;
        p.EnterRows({{"1.00000001", "1"}, {"1.00000002", "2"}});
        p.ClickTab(MainWindow::Page::ChartTab);
        QCOMPARE(Shown(p.messages), QStringList{"Errore di scala X.|scale error|Quadro"});
        QVERIFY(p.window.PlotPage()->picFoglio()->Surface().Commands().empty() &&
                !p.analysis.StatsValid());
    }

    // "Nuovo" must not focus the hidden grid, or the keys typed next would go there.
    void newOnAnotherPageLeavesTheKeysThere() {
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::PredictionTab);
        QTest::keyClick(&p.window, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(QApplication::focusWidget()->isVisible());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        QVERIFY(p.X(0)->text().isEmpty());
    }

    // F1 asks for the help file beside the program; when it cannot be shown, the window says so.
    void helpThatFailsToOpenShowsTheMessage() {
        for (const bool opens : {false, true}) {
            ProgramUnderTest p(u'.', QStringLiteral("/nowhere"));
            p.help.succeeds = opens;
            QTest::keyClick(p.X(0), Qt::Key_F1);
            QCOMPARE(p.help.shown, QStringList{"/nowhere/QUANTORELLEBRINDEL.HLP"});
            QCOMPARE(Shown(p.messages),
                     opens
                         ? QStringList()
                         : QStringList{"File di Help errato o mancante|error|Quantorelle Brindel"});
        }
    }

    void theViewerShowsTheShippedHelpFile() {
        const QString shipped = QStringLiteral(QB_BUILT_HELP_FILE);
        QtHelpViewer viewer;
        QVERIFY(!viewer.ShowContents(shipped + QStringLiteral(".missing")));
        QVERIFY(viewer.ShowContents(shipped));
        QVERIFY(viewer.Window()->isVisible() && viewer.Window()->toPlainText().contains("Indice"));
    }

    // Names in Italian, and the results described in words.
    void aScreenReaderFindsNamesAndResults() {
        ProgramUnderTest p(u',');
        const auto said = [](QObject* object, QAccessible::Text t = QAccessible::Name) {
            return QAccessible::queryAccessibleInterface(object)->text(t);
        };
        QLabel* b = p.window.StatsPage()->Lab_Ris(int(Figure::B));
        ChartView* chart = p.window.PlotPage()->picFoglio();
        QCOMPARE(QStringList({said(p.X(2)), said(p.Y(2)), said(p.grid().Chk_Linea(2)), said(b),
                              said(chart)}),
                 QStringList({"Dato 3, Serie X", "Dato 3, Serie Y", "Dato 3, in uso",
                              "Termine noto b", "Grafico"}));
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::ChartTab);
        QCOMPARE(said(chart, QAccessible::Description),
                 "Retta di regressione Y = 1,40000000·X + 0,50000000; 4 punti");
        QCOMPARE(said(b, QAccessible::Description), "0,50000000");
    }
};

static const bool kRegistered = RegisterGuiTest<MainWindowTest>();
#include "test_main_window.moc"
