// The prediction page as a user meets it: typed X, Enter or "Calcola", the history, "Cancella",
// and the data errors.
#include "ProgramUnderTest.h"
#include "pages/PredictionPage.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace qb;

namespace {

const QList<std::pair<QString, QString>> kWorkedExample = {
    {"1", "2"}, {"2", "3"}, {"3", "5"}, {"4", "6"}};

} // namespace

class PredictionPageTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramUnderTest> p;

    PredictionPage& page() { return *p->window.PredictPage(); }
    QStringList History() {
        QStringList items;
        for (int i = 0; i < page().Lst_Storico()->count(); ++i) {
            items << page().Lst_Storico()->item(i)->text();
        }
        return items;
    }
    void OpenWithWorkedExample(QChar separator = u'.') {
        p = std::make_unique<ProgramUnderTest>(separator);
        QVERIFY(p->ready);
        p->ChooseRowCount(4);
        p->EnterRows(kWorkedExample);
        p->ClickTab(MainWindow::PredictionTab);
        QVERIFY(p->analysis.StatsValid());
    }

private slots:
    void cleanup() { p.reset(); }

    void predictionsJoinTheHistory_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("y");
        QTest::addColumn<QString>("item");
        QTest::newRow("2.5") << QChar(u'.') << "2.5"
                             << "4.00000"
                             << "X = 2.50000 / Y = 4.00000";
        QTest::newRow("empty is zero") << QChar(u'.') << ""
                                       << "0.50000"
                                       << "X = 0.00000 / Y = 0.50000";
        QTest::newRow("negative") << QChar(u'.') << "-1"
                                  << "-0.90000"
                                  << "X = -1.00000 / Y = -0.90000";
        QTest::newRow("decimal comma") << QChar(u',') << "2.5"
                                       << "4,00000"
                                       << "X = 2,50000 / Y = 4,00000";
    }
    void predictionsJoinTheHistory() {
        QFETCH(QChar, separator);
        QFETCH(QString, typed);
        QFETCH(QString, y);
        QFETCH(QString, item);
        OpenWithWorkedExample(separator);
        QCOMPARE(QApplication::focusWidget(), page().Txt_X_Prev());
        QTest::keyClicks(page().Txt_X_Prev(), typed);
        QTest::keyClick(page().Txt_X_Prev(), Qt::Key_Return);
        QCOMPARE(page().Lab_Y_Prev()->text(), y);
        QCOMPARE(History(), QStringList{item});
        QCOMPARE(page().Lst_Storico()->currentRow(), 0);
        QCOMPARE(page().Txt_X_Prev()->text(), typed); // kept as typed
        QCOMPARE(QApplication::focusWidget(), page().Txt_X_Prev());
    }

    void theLastItemIsSelected() {
        OpenWithWorkedExample();
        for (const char* x : {"1", "2", "3"}) {
            page().Txt_X_Prev()->clear();
            QTest::keyClicks(page().Txt_X_Prev(), QString::fromLatin1(x));
            page().Cmd_Prevedi()->click();
        }
        QCOMPARE(History().size(), 3);
        QCOMPARE(History().last(), QStringLiteral("X = 3.00000 / Y = 4.70000"));
        QCOMPARE(page().Lst_Storico()->currentRow(), 2);
    }

    void keyFilter_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("point into empty") << ""
                                          << "."
                                          << "0.";
        QTest::newRow("point inserted") << "1"
                                        << "."
                                        << "1.";
        QTest::newRow("second point refused") << "1.5"
                                              << "."
                                              << "1.5";
        QTest::newRow("minus into empty") << ""
                                          << "-2"
                                          << "-2";
        QTest::newRow("minus after digit refused") << "2"
                                                   << "-"
                                                   << "2";
        QTest::newRow("comma as point") << "2"
                                        << ",5"
                                        << "2.5";
        QTest::newRow("letters refused") << ""
                                         << "e+x"
                                         << "";
    }
    void keyFilter() {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        OpenWithWorkedExample();
        QTest::keyClicks(page().Txt_X_Prev(), before);
        page().Txt_X_Prev()->deselect();
        page().Txt_X_Prev()->end(false);
        QTest::keyClicks(page().Txt_X_Prev(), typed);
        QCOMPARE(page().Txt_X_Prev()->text(), after);
    }

    void selectedTextRefusesMinusAndClipboard() {
        OpenWithWorkedExample();
        QTest::keyClicks(page().Txt_X_Prev(), QStringLiteral("12"));
        QTest::keyClick(page().Txt_X_Prev(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(page().Txt_X_Prev()->selectedText(), QStringLiteral("12"));
        QTest::keyClick(page().Txt_X_Prev(), Qt::Key_Minus);
        QApplication::clipboard()->setText(QStringLiteral("5"));
        QTest::keyClick(page().Txt_X_Prev(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(page().Txt_X_Prev()->text(), QStringLiteral("12"));
    }

    void typingEmptiesTheResultAndKeepsTheHistory() {
        OpenWithWorkedExample();
        QTest::keyClicks(page().Txt_X_Prev(), QStringLiteral("2"));
        QTest::keyClick(page().Txt_X_Prev(), Qt::Key_Enter);
        QVERIFY(!page().Lab_Y_Prev()->text().isEmpty());
        QTest::keyClicks(page().Txt_X_Prev(), QStringLiteral("5"));
        QVERIFY(page().Lab_Y_Prev()->text().isEmpty());
        QCOMPARE(History().size(), 1);
    }

    void switchingBackEmptiesFieldAndResultButKeepsTheHistory() {
        OpenWithWorkedExample();
        QTest::keyClicks(page().Txt_X_Prev(), QStringLiteral("2"));
        QTest::keyClick(page().Txt_X_Prev(), Qt::Key_Enter);
        p->ClickTab(MainWindow::StatisticsTab);
        p->ClickTab(MainWindow::PredictionTab);
        QVERIFY(page().Txt_X_Prev()->text().isEmpty());
        QVERIFY(page().Lab_Y_Prev()->text().isEmpty());
        QCOMPARE(History().size(), 1);
        QCOMPARE(QApplication::focusWidget(), page().Txt_X_Prev());
    }

    void aDataEditEmptiesTheHistory() {
        OpenWithWorkedExample();
        QTest::keyClick(page().Txt_X_Prev(), Qt::Key_Enter);
        QCOMPARE(History().size(), 1);
        p->ClickTab(MainWindow::DataTab);
        p->TypeInto(p->Y(3), QStringLiteral("0"));
        QVERIFY(History().isEmpty());
    }

    void cancellaEmptiesThePageAndKeepsTheStatistics() {
        OpenWithWorkedExample();
        QTest::keyClicks(page().Txt_X_Prev(), QStringLiteral("2"));
        QTest::keyClick(page().Txt_X_Prev(), Qt::Key_Enter);
        page().Cmd_Cancella()->click();
        QVERIFY(page().Txt_X_Prev()->text().isEmpty());
        QVERIFY(page().Lab_Y_Prev()->text().isEmpty());
        QVERIFY(History().isEmpty());
        QVERIFY(p->analysis.StatsValid());
        QVERIFY(!p->analysis.Busy());
    }

    // Typed X beyond range, a line whose value overflows, and statistics that are no line.
    void dataErrorsShowTheMessageAndAddNothing_data() {
        QTest::addColumn<QString>("secondY");
        QTest::addColumn<bool>("uncheckRows");
        QTest::addColumn<QString>("typed");
        QTest::newRow("x overflows") << "1" << false << "1e400";
        QTest::newRow("y overflows") << "1" + QString(150, u'0') << false << "1e200";
        QTest::newRow("statistics invalid") << "1" << true << "2";
    }
    void dataErrorsShowTheMessageAndAddNothing() {
        QFETCH(QString, secondY);
        QFETCH(bool, uncheckRows);
        QFETCH(QString, typed);
        p = std::make_unique<ProgramUnderTest>();
        QVERIFY(p->ready);
        p->EnterRows({{"0", "0"}, {"1", secondY}});
        if (uncheckRows) {
            p->grid().Chk_Linea(0)->click();
        }
        p->ClickTab(MainWindow::PredictionTab);
        page().Txt_X_Prev()->setText(typed);
        page().Cmd_Prevedi()->click();
        QCOMPARE(p->messages.requests.size(), 1);
        QCOMPARE(p->messages.requests[0].text, QStringLiteral("Errore nei dati"));
        QCOMPARE(p->messages.requests[0].style, kErrorStyle);
        QCOMPARE(p->messages.requests[0].title, QStringLiteral("Quantorelle Brindel"));
        QVERIFY(page().Txt_X_Prev()->text().isEmpty());
        QVERIFY(page().Lab_Y_Prev()->text().isEmpty());
        QVERIFY(History().isEmpty());
        QCOMPARE(QApplication::focusWidget(), page().Txt_X_Prev());
    }

    void aLongHistoryKeepsEveryItem() {
        OpenWithWorkedExample();
        constexpr int kItems = 3000;
        for (int i = 0; i < kItems; ++i) {
            QTest::keyClick(page().Txt_X_Prev(), Qt::Key_Return);
        }
        QCOMPARE(page().Lst_Storico()->count(), kItems);
        QCOMPARE(page().Lst_Storico()->currentRow(), kItems - 1);
        QCOMPARE(p->analysis.History().size(), kItems);
    }
};

QTEST_MAIN(PredictionPageTest)
#include "test_prediction_page.moc"
