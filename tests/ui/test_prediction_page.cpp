// The prediction page: typed X, Enter or "Calcola", the history, "Cancella" and the data errors.
#include "ProgramUnderTest.h"
#include "pages/PredictionPage.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace qb;

class PredictionPageTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramUnderTest> p;
    PredictionPage& page() { return *p->window.PredictPage(); }

private slots:
    void cleanup() { p.reset(); }

    // Separator | typed | history item. The field takes the grid's key filter.
    void predictionsJoinTheHistory_data() {
        CaseTable({
            {"empty is zero", ".||X = 0.00000 / Y = 0.50000"},
            {"comma typed, second refused", ".|-2,5,.|X = -2.50000 / Y = -3.00000"},
            {"comma shown", ",|2.5|X = 2,50000 / Y = 4,00000"},
        });
    }
    void predictionsJoinTheHistory() {
        const QStringList c = CaseFields();
        p = std::make_unique<ProgramUnderTest>(c[0][0]);
        p->EnterWorkedExample();
        p->ClickTab(MainWindow::PredictionTab);
        QCOMPARE(QApplication::focusWidget(), page().Txt_X_Prev());
        QTest::keyClicks(page().Txt_X_Prev(), c[1]);
        QTest::keyClick(page().Txt_X_Prev(), Qt::Key_Return);
        QCOMPARE(page().Lab_Y_Prev()->text(), c[2].section(u' ', -1));
        QCOMPARE(page().Lst_Storico()->currentItem()->text(), c[2]);
        QTest::keyClicks(page().Txt_X_Prev(), QStringLiteral("5")); // a new X empties the result
        QVERIFY(page().Lab_Y_Prev()->text().isEmpty());
        p->ClickTab(MainWindow::StatisticsTab);
        p->ClickTab(MainWindow::PredictionTab);
        QVERIFY(page().Txt_X_Prev()->text().isEmpty());
        QCOMPARE(page().Lst_Storico()->count(), 1);
        page().Cmd_Cancella()->click();
        QCOMPARE(page().Lst_Storico()->count(), 0);
        QVERIFY(p->analysis.StatsValid());
    }

    // Second row's Y | first row used | typed X: X beyond range, a Y that overflows, no line.
    void dataErrorsShowTheMessageAndAddNothing_data() {
        CaseTable({
            {"x overflows", "1|1|1e400"},
            {"y overflows", "1e150|1|1e200"},
            {"statistics invalid", "1|0|2"},
        });
    }
    void dataErrorsShowTheMessageAndAddNothing() {
        const QStringList c = CaseFields();
        p = std::make_unique<ProgramUnderTest>();
        p->EnterRows({{"0", "0"}, {"1", "1"}});
        p->analysis.SetText(Column::Y, 1, c[0]);
        p->analysis.SetUsed(0, c[1] == "1");
        p->ClickTab(MainWindow::PredictionTab);
        page().Txt_X_Prev()->setText(c[2]);
        page().Cmd_Prevedi()->click();
        QCOMPARE(p->messages.requests.size(), 1);
        QCOMPARE(p->messages.requests[0].text, QStringLiteral("Errore nei dati"));
        QCOMPARE(p->messages.requests[0].style, kErrorStyle);
        QVERIFY(page().Txt_X_Prev()->text().isEmpty());
        QCOMPARE(page().Lst_Storico()->count(), 0);
        QCOMPARE(QApplication::focusWidget(), page().Txt_X_Prev());
    }
};

static const bool kRegistered = RegisterGuiTest<PredictionPageTest>();
#include "test_prediction_page.moc"
