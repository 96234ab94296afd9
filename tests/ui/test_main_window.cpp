// The main window: the tab switch that computes the statistics, "Nuovo" from another page, the
// exit shortcut inside a field and the help command.
#include "ProgramUnderTest.h"
#include "pages/StatisticsPage.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>

using namespace qb;

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The field left for the tab is rewritten first ("." is 0); unchecking every row leaves the
    // page empty without a message.
    void everySwitchRecomputes() {
        for (const QChar separator : {QChar(u'.'), QChar(u',')}) {
            ProgramUnderTest p(separator);
            const auto shown = [&] {
                QStringList figures;
                for (int i = 0; i < kFigureCount; ++i) {
                    figures << p.window.StatsPage()->Lab_Ris(i)->text();
                }
                return figures;
            };
            p.EnterWorkedExample();
            p.ClickTab(MainWindow::StatisticsTab);
            QCOMPARE(shown(), worked::Captions(separator));
            p.ClickTab(MainWindow::DataTab);
            p.TypeInto(p.Y(3), QStringLiteral("\b."));
            p.ClickTab(MainWindow::ChartTab);
            QCOMPARE(p.Y(3)->text(), QStringLiteral("0"));
            QCOMPARE(shown()[int(Figure::Y)], QString("2.50000").replace(u'.', separator));
            p.ClickTab(MainWindow::DataTab);
            for (int i = 0; i < 4; ++i) {
                p.grid().Chk_Linea(i)->click();
            }
            p.ClickTab(MainWindow::PredictionTab);
            QCOMPARE(shown().join(""), QString());
            QVERIFY(p.messages.requests.isEmpty());
        }
    }

    // "Nuovo" must not focus the hidden grid, or the keys typed next would go there.
    void newOnAnotherPageLeavesTheKeysThere() {
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::PredictionTab);
        QTest::keyClick(&p.window, Qt::Key_N, Qt::ControlModifier);
        QVERIFY(QApplication::focusWidget()->isVisible());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7"));
        QVERIFY(p.X(0)->text().isEmpty());
    }

    void exitShortcutQuitsFromInsideAFieldWithoutCutting() {
        ProgramUnderTest p;
        p.TypeInto(p.X(0), QStringLiteral("42"));
        p.X(0)->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("kept"));
        QTest::keyClick(p.X(0), Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!p.window.isVisible());
        QCOMPARE(p.X(0)->text(), QStringLiteral("42"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    }

    void helpThatFailsToOpenShowsTheMessage() {
        for (const bool opens : {false, true}) {
            ProgramUnderTest p(u'.', QStringLiteral("/nowhere"));
            p.help.succeeds = opens;
            QTest::keyClick(p.X(0), Qt::Key_F1);
            QCOMPARE(p.help.shown, QStringList{"/nowhere/QUANTORELLEBRINDEL.HLP"});
            QCOMPARE(p.messages.requests.size(), opens ? 0 : 1);
            QVERIFY(opens || p.messages.requests[0].text == "File di Help errato o mancante");
            QVERIFY(opens || p.messages.requests[0].style == kErrorStyle);
        }
    }
};

static const bool kRegistered = RegisterGuiTest<MainWindowTest>();
#include "test_main_window.moc"
