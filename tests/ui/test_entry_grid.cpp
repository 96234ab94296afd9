// The entry grid wires the key filter and the focus-loss rewrite (whose full tables are the
// numbers' unit tests) and keeps what it must when the focus only seems to move.
#include "ProgramUnderTest.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QWheelEvent>

using namespace qb;

class EntryGridTest : public QObject {
    Q_OBJECT
private slots:
    // Keys typed | on the keypad | shown | left after Tab.
    void typing_data() {
        CaseTable({
            {"comma is the point", "1,5||1.5|1.5"},
            {"keypad decimal key", "2,5|K|2.5|2.5"},
            {"second separator and letters refused, zeros dropped", "01.5,e.||01.5|1.5"},
        });
    }
    void typing() {
        const QStringList c = CaseFields();
        ProgramUnderTest p;
        p.X(0)->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(p.X(0), c[0], c[1].isEmpty() ? Qt::NoModifier : Qt::KeypadModifier);
        QCOMPARE(p.X(0)->text() + u'|' + p.analysis.Row(0).x, c[2] + u'|' + c[2]);
        QTest::keyClick(p.X(0), Qt::Key_Tab);
        QCOMPARE(p.X(0)->text(), c[3]);
    }

    // Clipboard ("#n": n nines) | field before, "*" all selected | way | field after.
    void pasteGoesInAsTyped_data() { CaseTable(__FILE__, "paste_into_field.tsv"); }
    void pasteGoesInAsTyped() {
        const auto expand = [](const QString& t) {
            return t.startsWith(u'#') ? QString(t.mid(1).toInt(), u'9') : t;
        };
        const QStringList c = CaseFields();
        ProgramUnderTest p;
        QApplication::clipboard()->setText(expand(c[0]));
        p.TypeInto(p.X(0), QString(c[1]).remove(u'*'));
        if (c[1].startsWith(u'*')) {
            p.X(0)->selectAll();
        }
        if (c[2] == "menu") {
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, {2, 2},
                                   p.X(0)->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(p.X(0), &menu);
            QApplication::activePopupWidget()->findChild<QAction*>("edit-paste")->trigger();
        } else {
            QTest::keySequence(p.X(0), QKeySequence(c[2]));
        }
        QCOMPARE(p.X(0)->text(), expand(c[3]));
    }

    // A menu, another window or the About window take the focus away and give it back: that is
    // no edit, so the text keeps its form, the history stays and typing goes on.
    void interruptionsAreNoEdit_data() {
        QTest::addColumn<QByteArray>("kind");
        for (const char* kind : {"File menu", "another window", "About window"}) {
            QTest::newRow(kind) << QByteArray(kind);
        }
    }
    void interruptionsAreNoEdit() {
        QFETCH(QByteArray, kind);
        ProgramUnderTest p;
        QVERIFY(p.ready);
        p.analysis.SetText(Column::X, 0, QStringLiteral("1.0")); // as read from a file
        p.analysis.AppendHistoryItem(QStringLiteral("X = 1 / Y = 2"));
        p.X(0)->setFocus(Qt::MouseFocusReason);
        p.X(0)->end(false);
        QWidget other;
        if (kind == "File menu") {
            QTest::keyClick(&p.window, Qt::Key_F, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (kind == "another window") {
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
            other.close();
            p.window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&p.window));
        } else {
            p.window.Action(QStringLiteral("MenuAbout2"))->trigger();
            QVERIFY(!p.window.isEnabled());
            p.window.setEnabled(true); // what the About window's OK does
        }
        QTRY_COMPARE(QApplication::focusWidget(), p.X(0));
        QCOMPARE(p.analysis.History().size(), 1);
        QTest::keyClicks(p.X(0), QStringLiteral("5")); // after "1.0", not a rewritten "1"
        QCOMPARE(p.X(0)->text(), QStringLiteral("1.05"));
    }

    // Enter goes from X to Y, on to the next row, and from the last row in use back to the first.
    void enterWalksTheRowsInUse() {
        ProgramUnderTest p;
        p.ChooseRowCount(2);
        p.X(0)->setFocus();
        for (EntryField* next : {p.Y(0), p.X(1), p.Y(1), p.X(0)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    // The first turn, without the focus, does nothing; the second moves up a row count.
    void wheelChangesTheRowCountOnlyWithTheFocus() {
        ProgramUnderTest p;
        p.ChooseRowCount(5);
        QComboBox* combo = p.grid().Cmb_NumDati();
        for (QWidget* focus : {static_cast<QWidget*>(p.X(0)), static_cast<QWidget*>(combo)}) {
            focus->setFocus();
            QWheelEvent up({5, 5}, combo->mapToGlobal(QPointF(5, 5)), {}, {0, 120}, Qt::NoButton,
                           {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &up);
        }
        QCOMPARE(p.analysis.RowCount(), 4);
    }
};

static const bool kRegistered = RegisterGuiTest<EntryGridTest>();
#include "test_entry_grid.moc"
