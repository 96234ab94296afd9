// The chart page through the tab switch: drawn on every switch and painted on screen.
#include "ProgramUnderTest.h"
#include "chart/ChartPage.h"
#include "chart/ChartView.h"

#include <QImage>

using namespace qb;

class ChartPageTest : public QObject {
    Q_OBJECT
private slots:
    void switchingToTheChartDrawsIt() {
        ProgramUnderTest p;
        QVERIFY(p.ready);
        p.EnterRows({{"1", "2"}, {"4", "8"}});
        p.ClickTab(MainWindow::ChartTab);
        QVERIFY(p.analysis.chartOk());
        RecordingSurface& surface = p.window.chartPage()->picFoglio()->surface();
        QVERIFY(!surface.commands().empty());
        const auto drawn = surface.commands().size();
        p.ClickTab(MainWindow::PredictionTab); // redrawn, not accumulated
        QCOMPARE(surface.commands().size(), drawn);
    }

    void thePaintedChartShowsPointsAndLine() {
        ProgramUnderTest p;
        p.EnterRows({{"1", "2"}, {"4", "8"}});
        p.ClickTab(MainWindow::ChartTab);
        ChartView* view = p.window.chartPage()->picFoglio();
        const QImage image = view->grab().toImage();
        const RecordingSurface& s = view->surface();
        const auto toPixel = [&](double x, double y) {
            return QPoint(int((x - s.left()) / (s.right() - s.left()) * view->width()),
                          int((y - s.top()) / (s.bottom() - s.top()) * view->height()));
        };
        const double midX = 2.5;
        const double midY = 2 * midX; // on the line y = 2x
        QCOMPARE(image.pixelColor(toPixel(midX, midY)), QColor(0, 255, 255));
        const QColor background(140, 140, 140);
        QVERIFY(image.pixelColor(toPixel(1, 2)) != background);
    }
};

QTEST_MAIN(ChartPageTest)
#include "test_chart_page.moc"
