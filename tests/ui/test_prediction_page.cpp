// The prediction page: typed X and Enter, the history and the data errors.
#include "ProgramUnderTest.h"
#include "pages/PredictionPage.h"
#include "pages/ResultLabel.h"

#include <QLabel>
#include <QListWidget>

using namespace qb;

class PredictionPageTest : public QObject {
    Q_OBJECT
private slots:
    // Separator | keys typed (the grid's filter) | the history item, or the message when the first
    // of the two rows, which make the line Y = 3X + 1, is left out.
    void aPredictionJoinsTheHistoryOrTellsTheDataError_data() {
        CaseTable({
            {"empty is zero", ".||X = 0.00000 / Y = 1.00000"},
            {"comma typed, second refused", ".|-2,5,.|X = -2.50000 / Y = -6.50000"},
            {"comma shown", ",|2.5|X = 2,50000 / Y = 8,50000"},
            {"statistics invalid", ".|2|Errore nei dati"},
        });
    }
    void aPredictionJoinsTheHistoryOrTellsTheDataError() {
        const QStringList c = CaseFields();
        const bool error = c[2] == "Errore nei dati";
        ProgramUnderTest p(c[0][0]);
        PredictionPage& page = *p.window.PredictPage();
        p.EnterRows({{"0", "1"}, {"1", "4"}});
        p.analysis.SetUsed(0, !error);
        p.ClickTab(MainWindow::Page::PredictionTab);
        QVERIFY(error || QApplication::focusWidget() == page.Txt_X_Prev()); // a switch focuses X
        p.TypeInto(page.Txt_X_Prev(), c[1] + u'\r');
        QCOMPARE(Shown(p.messages),
                 error ? QStringList{c[2] + "|error|Quantorelle Brindel"} : QStringList());
        QCOMPARE(page.Lab_Y_Prev()->text() + u'|' + QString::number(page.Lst_Storico()->count()),
                 error ? "|0" : c[2].section(u' ', -1) + "|1");
        QVERIFY(error ? page.Txt_X_Prev()->text().isEmpty()
                      : page.Lst_Storico()->selectedItems().value(0)->text() == c[2]);
        QVERIFY(!page.Lst_Storico()->currentIndex().isValid()); // no second focus for readers
    }
};

static const bool kRegistered = RegisterGuiTest<PredictionPageTest>();
#include "test_prediction_page.moc"
