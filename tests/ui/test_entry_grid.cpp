// The entry grid wires the key filter and the focus-loss rewrite (whose full tables are the
// numbers' unit tests) and keeps what it must when the focus only seems to move.
#include "ProgramUnderTest.h"

#include <QClipboard>
#include <QWheelEvent>

using namespace qb;

class EntryGridTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramUnderTest> p;

private slots:
    void init() {
        p = std::make_unique<ProgramUnderTest>();
        QVERIFY(p->ready);
    }
    void cleanup() { p.reset(); }

    // Keys typed ("K," is the keypad's decimal key, "^V" a paste) | shown | left after Tab.
    void typing_data() {
        CaseTable({
            {"comma is the point", "1,5|1.5|1.5"},
            {"keypad decimal key", "2K,5|2.5|2.5"},
            {"point into empty field", ".5|0.5|.5"},
            {"second separator refused", "1.5,.|1.5|1.5"},
            {"letters and paste refused", "1e5^V|15|15"},
            {"leading zeros dropped", "007|007|7"},
        });
    }
    void typing() {
        const QStringList c = CaseFields();
        QApplication::clipboard()->setText(QStringLiteral("99"));
        p->X(0)->setFocus(Qt::MouseFocusReason);
        for (int i = 0; i < c[0].size(); ++i) {
            if (const bool keypad = c[0][i] == u'K'; keypad || c[0][i] == u'^') {
                QTest::keyClick(p->X(0), keypad ? Qt::Key_Comma : Qt::Key_V,
                                keypad ? Qt::KeypadModifier : Qt::ControlModifier);
                ++i;
            } else {
                QTest::keyClicks(p->X(0), c[0].mid(i, 1));
            }
        }
        QCOMPARE(p->X(0)->text(), c[1]);
        QCOMPARE(p->analysis.Row(0).x, c[1]);
        QTest::keyClick(p->X(0), Qt::Key_Tab);
        QCOMPARE(p->X(0)->text(), c[2]);
    }

    // A menu, another window or the About window take the focus away and give it back: that is
    // no edit, so the text keeps its form, the history stays and typing goes on.
    void interruptionsAreNoEdit_data() {
        CaseTable({
            {"File menu opened and closed", "menu"},
            {"another window active", "window"},
            {"window disabled for the About window", "about"},
        });
    }
    void interruptionsAreNoEdit() {
        const QString kind = CaseFields()[0];
        p->analysis.SetText(Column::X, 0, QStringLiteral("1.0")); // as read from a file
        p->analysis.AppendHistoryItem(QStringLiteral("X = 1 / Y = 2"));
        p->X(0)->setFocus(Qt::MouseFocusReason);
        p->X(0)->end(false);
        QWidget other;
        if (kind == "menu") {
            QTest::keyClick(&p->window, Qt::Key_F, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (kind == "window") {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            other.close();
            p->window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&p->window));
        } else {
            p->window.Action(QStringLiteral("MenuAbout2"))->trigger();
            QVERIFY(!p->window.isEnabled());
            p->window.setEnabled(true); // what the About window's OK does
        }
        QTRY_COMPARE(QApplication::focusWidget(), p->X(0));
        QCOMPARE(p->X(0)->text(), QStringLiteral("1.0"));
        QCOMPARE(p->analysis.History().size(), 1);
        QTest::keyClicks(p->X(0), QStringLiteral("5"));
        QCOMPARE(p->X(0)->text(), QStringLiteral("1.05"));
    }

    // The first turn, without the focus, does nothing; the second moves up a row count.
    void wheelChangesTheRowCountOnlyWithTheFocus() {
        p->ChooseRowCount(5);
        QComboBox* combo = p->grid().Cmb_NumDati();
        for (QWidget* focus : {static_cast<QWidget*>(p->X(0)), static_cast<QWidget*>(combo)}) {
            focus->setFocus();
            QWheelEvent up({5, 5}, combo->mapToGlobal(QPointF(5, 5)), {}, {0, 120}, Qt::NoButton,
                           {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &up);
        }
        QCOMPARE(p->analysis.RowCount(), 4);
    }

    void enterWalksTheActiveRowsAndWraps() {
        p->ChooseRowCount(16);
        p->Y(14)->setFocus();
        for (QWidget* next : {p->X(15), p->Y(15), p->X(0)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }
};

static const bool kRegistered = RegisterGuiTest<EntryGridTest>();
#include "test_entry_grid.moc"
