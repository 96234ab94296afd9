// What a screen reader finds in the main window, read through Qt's accessibility interface:
// every control named, some names one by one, and the chart described by its line and points.
#include "ProgramUnderTest.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "pages/PredictionPage.h"
#include "pages/StatisticsPage.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

using namespace qb;

namespace {

QString Said(QObject* object, QAccessible::Text t = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(object)->text(t);
}

// Every object of the tree, hidden pages included, and the unnamed controls among them.
void Walk(QAccessibleInterface* node, QSet<QObject*>& reached, QStringList& unnamed) {
    static const QList<QAccessible::Role> kControls = {
        QAccessible::EditableText, QAccessible::CheckBox, QAccessible::ComboBox,
        QAccessible::Button,       QAccessible::List,     QAccessible::StaticText,
        QAccessible::PageTab,      QAccessible::MenuItem};
    reached.insert(node->object());
    if (kControls.contains(node->role()) && node->text(QAccessible::Name).isEmpty()) {
        unnamed << (node->object() ? node->object()->objectName() : QString());
    }
    for (int i = 0; i < node->childCount(); ++i) {
        Walk(node->child(i), reached, unnamed);
    }
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAreNamedAndResultsDescribed() {
        ProgramUnderTest p(u',');
        QSet<QObject*> reached;
        QStringList unnamed;
        Walk(QAccessible::queryAccessibleInterface(&p.window), reached, unnamed);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u' ')));
        const auto figure = [&](Figure f) { return p.window.StatsPage()->Lab_Ris(int(f)); };
        PredictionPage& prediction = *p.window.PredictPage();
        ChartView* chart = p.window.PlotPage()->picFoglio();
        const QList<std::pair<QObject*, QString>> expected = {
            {p.X(2), "Dato 3, Serie X"},
            {p.Y(29), "Dato 30, Serie Y"},
            {p.grid().Chk_Linea(2), "Dato 3, in uso"},
            {figure(Figure::X), "Media di X"},
            {figure(Figure::SXY), "Radice della covarianza"},
            {figure(Figure::A), "Coefficiente angolare a"},
            {figure(Figure::R), "Coefficiente di correlazione r"},
            {prediction.Txt_X_Prev(), "Valore di X"},
            {prediction.Lab_Y_Prev(), "Valore previsto di Y"},
            {prediction.Lst_Storico(), "Elenco Dati Analizzati"},
            {chart, "Grafico"},
        };
        for (const auto& [control, name] : expected) {
            QVERIFY2(reached.contains(control), qPrintable(name)); // the walk reaches every page
            QCOMPARE(Said(control), name);
        }
        // A combo box is named by its value under AT-SPI, and said with the label it points to.
        const auto labels = QAccessible::queryAccessibleInterface(p.grid().Cmb_NumDati())
                                ->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels[0].first->text(QAccessible::Name), "Numero di misure (coppie X,Y):");
        // The results are described, and said to be empty after "Nuovo".
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::ChartTab);
        QCOMPARE(Said(chart, QAccessible::Description),
                 "Retta di regressione Y = 1,40000000·X + 0,50000000; 4 punti");
        QCOMPARE(Said(figure(Figure::B), QAccessible::Description), "0,50000000");
        p.window.Action("MenuNuovo")->trigger();
        QCOMPARE(Said(chart, QAccessible::Description), "Grafico vuoto");
        QCOMPARE(Said(figure(Figure::B), QAccessible::Description), "Nessun valore");
    }
};

static const bool kRegistered = RegisterGuiTest<AccessibilityTest>();
#include "test_accessibility.moc"
