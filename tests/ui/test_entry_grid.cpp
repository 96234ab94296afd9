// The entry grid as a user meets it: typing under the key filter, Enter walking, focus rules
// and row-count choices.
#include "ProgramUnderTest.h"

#include <QCheckBox>
#include <QClipboard>
#include <QWheelEvent>

using namespace qb;

class EntryGridTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<ProgramUnderTest> p;

private slots:
    void init() {
        p = std::make_unique<ProgramUnderTest>();
        QVERIFY(p->ready);
    }
    void cleanup() { p.reset(); }

    void startsWithTwoActiveEmptyRows() {
        QComboBox* combo = p->grid().Cmb_NumDati();
        QCOMPARE(combo->count(), 29);
        QCOMPARE(combo->itemText(0), QStringLiteral("2"));
        QCOMPARE(combo->itemText(28), QStringLiteral("30"));
        QCOMPARE(combo->currentText(), QStringLiteral("2"));
        for (int i = 0; i < kRowCapacity; ++i) {
            const bool active = i < 2;
            QCOMPARE(p->grid().Chk_Linea(i)->isChecked(), active);
            QCOMPARE(p->grid().Chk_Linea(i)->isEnabled(), active);
            QCOMPARE(p->X(i)->isEnabled(), active);
            QCOMPARE(p->Y(i)->isEnabled(), active);
            QVERIFY(p->X(i)->text().isEmpty());
        }
        QCOMPARE(p->grid().Chk_Linea(9)->text(), QStringLiteral("Dato 10:"));
        QCOMPARE(p->X(0)->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(QApplication::focusWidget(), p->X(0));
    }

    void keyFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("digits") << "123"
                                << "123";
        QTest::newRow("decimal") << "12.5"
                                 << "12.5";
        QTest::newRow("point into empty field") << "."
                                                << "0.";
        QTest::newRow("point then digit") << ".5"
                                          << "0.5";
        QTest::newRow("second point refused") << "1.2.3"
                                              << "1.23";
        QTest::newRow("leading minus") << "-5"
                                       << "-5";
        QTest::newRow("minus after digit refused") << "5-3"
                                                   << "53";
        QTest::newRow("comma as point") << "1,5"
                                        << "1.5";
        QTest::newRow("comma into empty field") << ",5"
                                                << "0.5";
        QTest::newRow("comma after point refused") << "1.5,"
                                                   << "1.5";
        QTest::newRow("exponent letter refused") << "1e5"
                                                 << "15";
        QTest::newRow("plus refused") << "+3"
                                      << "3";
        QTest::newRow("blank refused") << "4 2"
                                       << "42";
        QTest::newRow("letters refused") << "abc7"
                                         << "7";
    }
    void keyFilter() {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        p->TypeInto(p->X(0), typed);
        QCOMPARE(p->X(0)->text(), text);
        QCOMPARE(p->analysis.Row(0).x, text);
    }

    void keypadSeparatorTypesThePoint() {
        p->TypeInto(p->X(0), QStringLiteral("2"));
        QTest::keyClick(p->X(0), Qt::Key_Comma, Qt::KeypadModifier);
        QTest::keyClick(p->X(0), Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(p->X(0)->text(), QStringLiteral("2.5"));
    }

    void pointInEmptyFieldPutsCaretAfterIt() {
        p->TypeInto(p->Y(1), QStringLiteral("."));
        QCOMPARE(p->Y(1)->cursorPosition(), 2);
    }

    void backspaceAndArrowsStillEdit() {
        p->TypeInto(p->X(0), QStringLiteral("123"));
        QTest::keyClick(p->X(0), Qt::Key_Backspace);
        QTest::keyClick(p->X(0), Qt::Key_Home);
        QTest::keyClick(p->X(0), Qt::Key_Delete);
        QCOMPARE(p->X(0)->text(), QStringLiteral("2"));
    }

    void selectedTextRefusesMinusAndPointButDigitReplacesIt() {
        p->TypeInto(p->X(0), QStringLiteral("1.5"));
        QTest::keyClick(p->X(0), Qt::Key_Return); // to Y(0)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), p->X(0));
        QCOMPARE(p->X(0)->selectedText(), QStringLiteral("1.5"));
        QTest::keyClicks(p->X(0), QStringLiteral("-."));
        QCOMPARE(p->X(0)->text(), QStringLiteral("1.5"));
        QTest::keyClicks(p->X(0), QStringLiteral("7"));
        QCOMPARE(p->X(0)->text(), QStringLiteral("7"));
    }

    void clipboardShortcutsRefused() {
        QApplication::clipboard()->setText(QStringLiteral("99"));
        p->TypeInto(p->X(0), QStringLiteral("12"));
        QTest::keyClick(p->X(0), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(p->X(0), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(p->X(0), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(p->X(0)->text(), QStringLiteral("12"));
    }

    void enterWalksTheActiveRowsAndWraps() {
        p->X(0)->setFocus();
        const QList<QWidget*> expected = {p->Y(0), p->X(1), p->Y(1), p->X(0)};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void enterCrossesToTheRightHalfAndWrapsFromTheLastRow() {
        p->ChooseRowCount(30);
        p->Y(14)->setFocus();
        QTest::keyClick(p->Y(14), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), p->X(15));
        p->Y(29)->setFocus();
        QTest::keyClick(p->Y(29), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), p->X(0));
    }

    void focusLossNormalisesTheText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("minus alone") << "-"
                                     << "0";
        QTest::newRow("point alone") << "."
                                     << "0";
        QTest::newRow("trailing point") << "12."
                                        << "12";
        QTest::newRow("leading zeros") << "007"
                                       << "7";
        QTest::newRow("trailing zero") << "1.50"
                                       << "1.5";
        QTest::newRow("below one") << ".5"
                                   << ".5";
        QTest::newRow("negative below one") << "-0.250"
                                            << "-.25";
        QTest::newRow("fifteen digits") << "3.14159265358979323"
                                        << "3.14159265358979";
        QTest::newRow("large") << "1000000000000000"
                               << "1E+15";
        QTest::newRow("small") << "0.000015"
                               << "1.5E-05";
    }
    void focusLossNormalisesTheText() {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        p->TypeInto(p->X(0), typed);
        QTest::keyClick(p->X(0), Qt::Key_Tab);
        QCOMPARE(p->X(0)->text(), text);
    }

    void tabbingThroughAnEmptyFieldLeavesZeroAndInvalidates() {
        p->analysis.AppendHistoryItem(QStringLiteral("X = 1 / Y = 2"));
        p->X(1)->setFocus();
        QTest::keyClick(p->X(1), Qt::Key_Tab);
        QCOMPARE(p->X(1)->text(), QStringLiteral("0"));
        QVERIFY(p->analysis.History().isEmpty());
    }

    // What the window system does when the user opens a menu, a dialog or another program while
    // a field holds a text not in its normal form; after it, typing goes on where it stopped.
    void interruptionsAreNoEdit_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("File menu closed with Escape") << 0;
        QTest::newRow("another window active") << 1;
        QTest::newRow("window disabled for the About window") << 2;
    }
    void interruptionsAreNoEdit() {
        QFETCH(int, kind);
        p->analysis.SetText(Column::X, 0, QStringLiteral("1.0")); // as read from a file
        p->analysis.AppendHistoryItem(QStringLiteral("X = 1 / Y = 2"));
        p->X(0)->setFocus(Qt::MouseFocusReason);
        p->X(0)->end(false);
        if (kind == 0) {
            QTest::keyClick(&p->window, Qt::Key_F, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (kind == 1) {
            QWidget other;
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

    void wheelChangesTheRowCountOnlyWithTheFocus() {
        p->ChooseRowCount(5);
        const auto wheelUp = [this] {
            QComboBox* combo = p->grid().Cmb_NumDati();
            QWheelEvent e(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), {}, {0, 120},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(combo, &e);
        };
        p->X(0)->setFocus();
        wheelUp();
        QCOMPARE(p->analysis.RowCount(), 5);
        p->grid().Cmb_NumDati()->setFocus();
        wheelUp();
        QCOMPARE(p->analysis.RowCount(), 4);
    }

    void aTextSetByTheProgramShowsItsBeginning() {
        p->analysis.SetText(Column::X, 0, QString(40, u'1') + ".5"); // as read from a file
        QCOMPARE(p->X(0)->cursorPosition(), 0);
        p->TypeInto(p->X(1), QStringLiteral("-1234567890123456789"));
        QTest::keyClick(p->X(1), Qt::Key_Tab);
        QCOMPARE(p->X(1)->text(), QStringLiteral("-1.23456789012346E+18"));
        QCOMPARE(p->X(1)->cursorPosition(), 0);
    }

    void overflowingTextStaysAsTyped() {
        p->X(0)->setText(QStringLiteral("1e400"));
        p->X(0)->setFocus();
        QTest::keyClick(p->X(0), Qt::Key_Tab);
        QCOMPARE(p->X(0)->text(), QStringLiteral("1e400"));
    }

    void anEditEmptiesTheHistoryButACheckBoxDoesNot() {
        p->analysis.AppendHistoryItem(QStringLiteral("X = 1 / Y = 2"));
        p->grid().Chk_Linea(1)->click();
        QCOMPARE(p->analysis.History().size(), 1);
        QVERIFY(!p->analysis.Row(1).used);
        p->TypeInto(p->Y(0), QStringLiteral("4"));
        QVERIFY(p->analysis.History().isEmpty());
    }

    void rowCountChoicesRecheckAndEmptyRows() {
        p->ChooseRowCount(30);
        for (int i = 0; i < kRowCapacity; ++i) {
            QVERIFY(p->grid().Chk_Linea(i)->isChecked());
            QVERIFY(p->X(i)->isEnabled());
        }
        QCOMPARE(QApplication::focusWidget(), p->X(0));
        p->EnterRows({{"1", "2"}, {"3", "4"}, {"5", "6"}});
        p->TypeInto(p->X(29), QStringLiteral("9"));
        p->grid().Chk_Linea(1)->click();
        QVERIFY(!p->grid().Chk_Linea(1)->isChecked());

        p->ChooseRowCount(2);
        QCOMPARE(p->analysis.RowCount(), 2);
        QVERIFY(p->grid().Chk_Linea(1)->isChecked());
        QCOMPARE(p->X(1)->text(), QStringLiteral("3"));
        for (int i = 2; i < kRowCapacity; ++i) {
            QVERIFY(p->X(i)->text().isEmpty());
            QVERIFY(!p->X(i)->isEnabled());
            QVERIFY(!p->grid().Chk_Linea(i)->isChecked());
            QVERIFY(!p->grid().Chk_Linea(i)->isEnabled());
        }
        QVERIFY(p->X(5)->palette().color(QPalette::Base) != QColor(Qt::white));

        p->ChooseRowCount(3);
        QVERIFY(p->X(2)->text().isEmpty()); // a row brought back is empty
    }
};

QTEST_MAIN(EntryGridTest)
#include "test_entry_grid.moc"
