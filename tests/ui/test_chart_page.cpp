// The chart page through the tab switch: drawn and painted on screen, and a scale the chart
// cannot draw told under the frame routine's name.
#include "ProgramUnderTest.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"

using namespace qb;

class ChartPageTest : public QObject {
    Q_OBJECT
private slots:
    void thePaintedChartShowsTheLine() {
        ProgramUnderTest p;
        p.EnterRows({{"1", "2"}, {"4", "8"}});
        p.ClickTab(MainWindow::ChartTab);
        ChartView* view = p.window.PlotPage()->picFoglio();
        const RecordingSurface& s = view->Surface();
        const QPoint onTheLine(int((2.5 - s.Left()) / (s.Right() - s.Left()) * view->width()),
                               int((5 - s.Top()) / (s.Bottom() - s.Top()) * view->height()));
        QCOMPARE(view->grab().toImage().pixelColor(onTheLine), QColor(0, 255, 255));
    }

    // X limits apart as 64-bit numbers fall together as 32-bit ones.
    void aScaleErrorIsToldAndEmptiesThePages() {
        ProgramUnderTest p;
        p.EnterRows({{"1.00000001", "1"}, {"1.00000002", "2"}});
        p.ClickTab(MainWindow::ChartTab);
        QCOMPARE(p.messages.requests.size(), 1);
        QCOMPARE(p.messages.requests[0].text, QStringLiteral("Errore di scala X."));
        QCOMPARE(p.messages.requests[0].title, QStringLiteral("Quadro"));
        QVERIFY(p.messages.requests[0].style == kScaleErrorStyle);
        QVERIFY(p.window.PlotPage()->picFoglio()->Surface().Commands().empty());
        QVERIFY(!p.analysis.StatsValid());
    }
};

QTEST_MAIN(ChartPageTest)
#include "test_chart_page.moc"
