// The main window: the tab switch that reports a scale error, "Nuovo" from another page, the help
// command with its viewer, and what a screen reader finds, read through Qt's accessibility.
#include "ProgramUnderTest.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "pages/ResultLabel.h"
#include "pages/StatisticsPage.h"
#include "platform/QtHelpViewer.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QTextBrowser>

using namespace qb;

// The objects that tell a screen reader they have the focus.
static int FocusedObjects(QAccessibleInterface* node) {
    int count = node->state().focused ? 1 : 0;
    for (int i = 0; i < node->childCount(); ++i) {
        count += FocusedObjects(node->child(i));
    }
    return count;
}

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

    // Start | keys | page reached; the row count stays, a switch computes as a click does, and
    // one object reports the focus.
    void pageKeysSwitchFromAnywhere_data() {
        CaseTable({
            {"Ctrl+Tab", "X|1"},
            {"Ctrl+PgDown", "rows|1"},
            {"Ctrl+PgUp", "rows|5"},
            {"Ctrl+Shift+Tab", "X|5"},
        });
    }
    void pageKeysSwitchFromAnywhere() {
        const QStringList c = CaseFields();
        ProgramUnderTest p;
        p.EnterWorkedExample();
        QWidget* start = c[0] == "X" ? static_cast<QWidget*>(p.X(1)) : p.grid().Cmb_NumDati();
        start->setFocus();
        const QKeyCombination keys =
            QKeySequence::fromString(QTest::currentDataTag(), QKeySequence::PortableText)[0];
        QTest::keyClick(start, keys.key(), keys.keyboardModifiers());
        QCOMPARE(QString::number(p.window.SSTab()->currentIndex()), c[1]);
        QVERIFY(p.analysis.RowCount() == int(worked::kRows.size()) && p.analysis.StatsValid());
        QCOMPARE(FocusedObjects(QAccessible::queryAccessibleInterface(&p.window)), 1);
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

    // Esc or Ctrl+W close the help; the focus comes back; its tables read without frame marks.
    void theViewerShowsTheShippedHelpFile_data() { CaseTable({{"Esc", ""}, {"Ctrl+W", ""}}); }
    void theViewerShowsTheShippedHelpFile() {
        ProgramUnderTest p;
        p.X(0)->setFocus();
        const QString shipped = QStringLiteral(QB_BUILT_HELP_FILE);
        QtHelpViewer viewer;
        QVERIFY(!viewer.ShowContents(shipped + QStringLiteral(".missing")));
        QVERIFY(viewer.ShowContents(shipped) && QTest::qWaitForWindowActive(viewer.Window()));
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(viewer.Window());
        const QString read =
            QAccessible::queryAccessibleInterface(viewer.Browser())->text(QAccessible::Value);
        QVERIFY(window->role() == QAccessible::Dialog && viewer.Browser()->hasFocus());
        QVERIFY(read.contains("Indice") && !read.contains(QChar(0xFDD0)) &&
                !read.contains(QChar(0xFDD1)));
        const QKeyCombination keys =
            QKeySequence::fromString(QTest::currentDataTag(), QKeySequence::PortableText)[0];
        QTest::keyClick(viewer.Browser(), keys.key(), keys.keyboardModifiers());
        QVERIFY(!viewer.Window()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), p.X(0));
    }

    // Names in Italian, and the results described in words.
    void aScreenReaderFindsNamesAndResults() {
        ProgramUnderTest p(u',');
        const auto said = [](QObject* object, QAccessible::Text t = QAccessible::Name) {
            return QAccessible::queryAccessibleInterface(object)->text(t);
        };
        ResultLabel* b = p.window.StatsPage()->Lab_Ris(int(Figure::B));
        ChartView* chart = p.window.PlotPage()->picFoglio();
        QCOMPARE(QStringList({said(p.X(2)), said(p.Y(2)), said(p.grid().Chk_Linea(2)), said(b),
                              said(chart), said(b, QAccessible::Value)}),
                 QStringList({"Dato 3, Serie X", "Dato 3, Serie Y", "Dato 3, in uso",
                              "Termine noto b", "Grafico", ""}));
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::ChartTab);
        QVERIFY(
            said(chart, QAccessible::Description)
                .contains("Retta di regressione Y = 1,40000000·X + 0,50000000; 4 punti: dato 1"));
        QCOMPARE(said(b, QAccessible::Value), "0,50000000");
        p.ClickTab(MainWindow::Page::StatisticsTab);
        QStringList walked; // Tab reaches every figure, in reading order
        for (QWidget* w = p.window.StatsPage()->Lab_Ris(0); walked.size() < kFigureCount;
             w = QApplication::focusWidget()) {
            w->setFocus();
            walked << w->objectName().mid(8);
            QTest::keyClick(w, Qt::Key_Tab);
        }
        QCOMPARE(walked.join(u' '), "0 1 2 3 4 5 6 7 8 9 10");
        // Too long for its label: cut with a mark, whole in the tooltip and to the reader.
        p.ClickTab(MainWindow::Page::DataTab);
        p.EnterRows({{"123456789012345", "1"}, {"123456789012346", "2"}});
        p.ClickTab(MainWindow::Page::StatisticsTab);
        ResultLabel* x2 = p.window.StatsPage()->Lab_Ris(int(Figure::X2));
        const QString whole = p.analysis.ResultCaptions()[int(Figure::X2)];
        QCOMPARE(x2->toolTip() + u'|' + said(x2, QAccessible::Value), whole + u'|' + whole);
        QVERIFY(x2->text().contains(u'…') && !whole.contains(u'…'));
    }
};

static const bool kRegistered = RegisterGuiTest<MainWindowTest>();
#include "test_main_window.moc"
