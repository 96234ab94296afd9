// The chart page through the tab switch: drawn on every switch and painted on screen.
#include "ProgramUnderTest.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"

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
        QVERIFY(p.analysis.ChartOk());
        RecordingSurface& surface = p.window.PlotPage()->picFoglio()->Surface();
        QVERIFY(!surface.Commands().empty());
        const auto drawn = surface.Commands().size();
        p.ClickTab(MainWindow::PredictionTab); // redrawn, not accumulated
        QCOMPARE(surface.Commands().size(), drawn);
    }

    void thePaintedChartShowsPointsAndLine() {
        ProgramUnderTest p;
        p.EnterRows({{"1", "2"}, {"4", "8"}});
        p.ClickTab(MainWindow::ChartTab);
        ChartView* view = p.window.PlotPage()->picFoglio();
        const QImage image = view->grab().toImage();
        const RecordingSurface& s = view->Surface();
        const auto toPixel = [&](double x, double y) {
            return QPoint(int((x - s.Left()) / (s.Right() - s.Left()) * view->width()),
                          int((y - s.Top()) / (s.Bottom() - s.Top()) * view->height()));
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
