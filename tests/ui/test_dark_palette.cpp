// Under a dark palette every text stays readable on the ground it is actually drawn on: the
// window is grabbed as shown and each text measured against the commonest colour around it.
#include "ProgramUnderTest.h"
#include "pages/PredictionPage.h"
#include "platform/QtHelpViewer.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QTextBlock>
#include <QTextBrowser>
#include <cmath>

using namespace qb;

namespace {

double Luminance(QRgb c) {
    const auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

// The contrast of the area's strongest pixel with its commonest one (1 where it is blank).
double TextContrast(const QImage& area) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            ++counts[area.pixel(x, y)];
        }
    }
    const double ground = Luminance(
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
            return a.second < b.second;
        })->first);
    double best = 1;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it) {
        const auto [dark, light] = std::minmax({ground, Luminance(*it)});
        best = std::max(best, (light + 0.05) / (dark + 0.05));
    }
    return best;
}

// The window as it shows the page, and where the control named `name` (or the label reading it)
// stands in it; the fields hold the worked example and the predicted Y is shown.
std::pair<QImage, QRect> Shown(MainWindow::Page page, const QString& name) {
    ProgramUnderTest p;
    p.EnterWorkedExample();
    p.ClickTab(MainWindow::Page::PredictionTab);
    p.TypeInto(p.window.PredictPage()->Txt_X_Prev(), "2\r");
    p.ClickTab(page);
    p.window.SSTab()->tabBar()->setFocus(); // no selection colours in a field
    QWidget* w = p.window.findChild<QWidget*>(name);
    for (QLabel* label : p.window.findChildren<QLabel*>()) {
        w = w ? w : (label->text() == name ? label : nullptr);
    }
    return {p.window.grab().toImage(),
            w ? QRect(w->mapTo(&p.window, QPoint()), w->size()).adjusted(3, 3, -3, -3) : QRect()};
}

// The help as its viewer shows it, and where its first heading stands.
std::pair<QImage, QRect> ShownHelp() {
    QtHelpViewer help;
    if (!help.ShowContents(QStringLiteral(QB_BUILT_HELP_FILE))) {
        return {};
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* browser = qobject_cast<QTextBrowser*>(w)) {
            const QTextDocument& doc = *browser->document();
            return {browser->viewport()->grab().toImage(),
                    doc.documentLayout()->blockBoundingRect(doc.firstBlock()).toRect()};
        }
    }
    return {};
}

} // namespace

class DarkPaletteTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setPalette(QPalette(QColor(53, 53, 53))); }
    void cleanupTestCase() { QApplication::setPalette(QPalette()); }

    // Page and the control's name or text; "help" is the help's first heading.
    void textIsReadable_data() {
        CaseTable({{"entry field", "0|Txt_X_1"},
                   {"use box", "0|Chk_Linea_1"},
                   {"heading", "1|Media"},
                   {"caption", "1|r"},
                   {"figure", "1|Lab_Ris_10"},
                   {"predicted Y", "3|Lab_Y_Prev"},
                   {"help", "help|"}});
    }
    void textIsReadable() {
        const QStringList f = CaseFields();
        const auto [shot, area] =
            f[0] == u"help" ? ShownHelp() : Shown(MainWindow::Page(f[0].toInt()), f[1]);
        QVERIFY(!area.isEmpty());
        const double contrast = TextContrast(shot.copy(area));
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
    }
};

static const bool kRegistered = RegisterGuiTest<DarkPaletteTest>();
#include "test_dark_palette.moc"
