// "Stampa" in the running window: the shortcut hands the printer the report of what the user
// sees, asks nothing and leaves the analysis as it was.
#include "ProgramUnderTest.h"
#include "pages/PredictionPage.h"

#include <QLineEdit>

using namespace qb;

namespace {

const QList<std::pair<QString, QString>> kWorkedExample = {
    {"1", "2"}, {"2", "3"}, {"3", "5"}, {"4", "6"}};

QStringList PieceTexts(const Report& report) {
    QStringList texts;
    for (const ReportLine& line : report) {
        for (const ReportPiece& piece : line.pieces) {
            texts.append(piece.text);
        }
    }
    return texts;
}

} // namespace

class PrintCommandTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramUnderTest> p;

    void Open(QChar separator) {
        p = std::make_unique<ProgramUnderTest>(separator);
        QVERIFY(p->ready);
        p->ChooseRowCount(4);
        p->EnterRows(kWorkedExample);
    }
    void Predict(const QString& x) {
        p->ClickTab(MainWindow::PredictionTab);
        QLineEdit* field = p->window.PredictPage()->Txt_X_Prev();
        QTest::keyClicks(field, x);
        QTest::keyClick(field, Qt::Key_Return);
    }
    // The shortcut, pressed wherever the focus is.
    void PressStampa() {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &p->window;
        QTest::keyClick(target, Qt::Key_F12, Qt::ControlModifier | Qt::ShiftModifier);
    }

private slots:
    void cleanup() { p.reset(); }

    void printsFiguresAndHistoryAndChangesNothing() {
        Open(u'.');
        Predict("5");
        const QStringList history = p->analysis.History();
        const DataSet rows = p->analysis.Rows();
        QCOMPARE(history, QStringList{"X = 5.00000 / Y = 7.50000"});

        PressStampa();

        QCOMPARE(p->printer.printed.size(), 1);
        const QStringList texts = PieceTexts(p->printer.printed[0]);
        for (const char* expected :
             {"ANALISI STATISTICA", "01 = 1.00000 / 2.00000", "04 = 4.00000 / 6.00000",
              "05 = ", "Media X =  2.50000", "Coefficiente di correlazione = 0.98994949",
              "a = 1.40000", "b = 0.50000", "01: X = 5.00000 / Y = 7.50000"}) {
            QVERIFY2(texts.contains(expected), expected);
        }
        QVERIFY(p->messages.requests.isEmpty());
        QVERIFY(p->analysis.StatsValid());
        QCOMPARE(p->analysis.History(), history);
        QVERIFY(p->analysis.Rows() == rows);
        QCOMPARE(p->window.SSTab()->currentIndex(), int(MainWindow::PredictionTab));
    }

    void anEditLeavesOnlyTheData() {
        Open(u',');
        Predict("5");
        p->ClickTab(MainWindow::DataTab);
        p->X(0)->clear();
        p->TypeInto(p->X(0), "3.5");
        p->Y(0)->clear();
        p->TypeInto(p->Y(0), "7");

        PressStampa();

        QCOMPARE(p->printer.printed.size(), 1);
        const QStringList texts = PieceTexts(p->printer.printed[0]);
        QVERIFY(texts.contains("01 = 3,50000 / 7,00000"));
        QVERIFY(texts.contains("02 = 2,00000 / 3,00000"));
        QVERIFY(!texts.contains("2. DATI STATISTICI"));
        QVERIFY(!texts.contains("4. DATI CALCOLATI"));
        QVERIFY(p->messages.requests.isEmpty());
    }
};

QTEST_MAIN(PrintCommandTest)
#include "test_print_command.moc"
