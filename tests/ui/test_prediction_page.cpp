// The prediction page: typed X and Enter, the history and the data errors; the uncertainty page
// and the intervals around a prediction.
#include "ProgramUnderTest.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "pages/PredictionPage.h"
#include "pages/ResultLabel.h"
#include "pages/UncertaintyPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>

using namespace qb;

class PredictionPageTest : public QObject {
    Q_OBJECT
private slots:
    // Separator | keys typed (the grid's filter) | the history item, or the message when the first
    // of the two rows, which make the line Y = 3X + 1, is left out.
    void aPredictionJoinsTheHistoryOrTellsTheDataError_data() {
        CaseTable(__FILE__, "predictions.tsv");
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

    // Separator | rows | level chosen after "Calcola" at X = 2.5 | a's row | s, R², ν, t_c | the
    // note up to its colon | the mean's and a new Y's intervals. Rows that give no line empty the
    // page.
    void uncertaintyFollowsTheRowsAndTheLevel_data() {
        CaseTable(__FILE__, "uncertainty_page.tsv");
    }
    void uncertaintyFollowsTheRowsAndTheLevel() {
        const QStringList c = CaseFields();
        ProgramUnderTest p(c[0][0]);
        const QStringList numbers = c[1].split(u' ');
        QList<std::pair<QString, QString>> rows;
        for (int i = 0; i < numbers.size(); i += 2) {
            rows.append({numbers[i], numbers[i + 1]});
        }
        p.ChooseRowCount(int(rows.size()));
        p.EnterRows(rows);
        UncertaintyPage& page = *p.window.UncertainPage();
        PredictionPage& prediction = *p.window.PredictPage();
        p.ClickTab(MainWindow::Page::PredictionTab);
        p.TypeInto(prediction.Txt_X_Prev(), QString(c[0] == "," ? "2,5" : "2.5") + u'\r');
        p.ClickTab(MainWindow::Page::UncertaintyTab);
        page.Cmb_Livello()->setFocus();
        QTest::keyClicks(page.Cmb_Livello(), c[2].left(2)); // a space would open the list
        QTest::keyClick(page.Cmb_Livello(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), page.Chk_Bande());
        QTest::keyClick(page.Chk_Bande(), Qt::Key_Space); // no bands without degrees of freedom
        QCOMPARE(p.window.PlotPage()->picFoglio()->accessibleDescription().contains(
                     "banda di previsione al " + c[2]),
                 !c[5].startsWith("Con 2"));
        QStringList row, summaries;
        for (int column = 0; column < UncertaintyPage::kColumns; ++column) {
            row << page.Coefficient(0, column)->Figure();
        }
        for (int i = 0; i < UncertaintyPage::kSummaries; ++i) {
            summaries << page.Summary(i)->Figure();
        }
        QCOMPARE(row.join(u' '), c[3]);
        QCOMPARE(summaries.join(u' '), c[4]);
        QCOMPARE(page.Note()->text().section(u':', 0, 0), c[5]);
        QCOMPARE(prediction.Lab_Media()->Figure() + u' ' + prediction.Lab_Nuovo()->Figure(), c[6]);
        for (int i = 0; i < rows.size(); ++i) {
            p.analysis.SetUsed(i, false);
        }
        p.ClickTab(MainWindow::Page::PredictionTab);
        QVERIFY(page.Summary(3)->Figure().isEmpty() && page.Coefficient(1, 4)->Figure().isEmpty() &&
                page.Note()->text().isEmpty());
        QTest::keyClick(&p.window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(page.Cmb_Livello()->currentText(), QStringLiteral("95 %"));
        QVERIFY(!page.Chk_Bande()->isChecked());
    }
};

static const bool kRegistered = RegisterGuiTest<PredictionPageTest>();
#include "test_prediction_page.moc"
