// "Informazioni su...": the About window over a disabled main window, and its hidden
// system-information button, revealed by Ctrl+Alt+F1 alone.
#include "ProgramUnderTest.h"
#include "StartupUnderTest.h"

#include <QAccessible>
#include <QKeySequence>
#include <QPushButton>

using namespace qb;

class AboutWindowTest : public QObject {
    Q_OBJECT
private slots:
    // The keys, named by the row | the button revealed.
    void onlyCtrlAltF1RevealsTheSystemButtonUntilClosed_data() {
        CaseTable(
            {{"Ctrl+Alt+F1", "1"}, {"F1", "0"}, {"Ctrl+F1", "0"}, {"Ctrl+Alt+Shift+F1", "0"}});
    }
    void onlyCtrlAltF1RevealsTheSystemButtonUntilClosed() {
        const bool revealed = CaseFields()[0] == "1";
        StartupUnderTest p;
        QVERIFY(p.PastTheSplash());
        p.window().Action(QStringLiteral("MenuAbout2"))->trigger();
        AboutWindow& about = p.about();
        QVERIFY(about.isVisible() && !p.window().isEnabled());
        const QKeyCombination keys =
            QKeySequence::fromString(QTest::currentDataTag(), QKeySequence::PortableText)[0];
        QTest::keyClick(about.cmdOK(), keys.key(), keys.keyboardModifiers());
        QTest::keyClick(about.cmdOK(), Qt::Key_F1); // changes nothing, opens no help
        QCOMPARE(about.cmdSysInfo()->isVisible(), revealed);
        if (revealed) { // there is no system-information program to start
            QTest::mouseClick(about.cmdSysInfo(), Qt::LeftButton);
            QCOMPARE(Shown(p.messages), QStringList{"Non è possibile lanciare il programma "
                                                    "'System Info'|plain|Quantorelle"});
        }
        QVERIFY(about.isVisible() && p.help.shown.isEmpty() && p.launcher.started.isEmpty());
        QTest::mouseClick(about.cmdOK(), Qt::LeftButton);
        QVERIFY(!about.isVisible() && p.window().isEnabled());
        p.window().Action(QStringLiteral("MenuAbout2"))->trigger();
        QVERIFY(about.isVisible() && !about.cmdSysInfo()->isVisible());
    }

    // As a dialog: focused on opening, Esc closes it, Enter presses OK, the focus comes back.
    void keysCloseItAsADialog_data() { CaseTable({{"Esc", ""}, {"Return", ""}}); }
    void keysCloseItAsADialog() {
        StartupUnderTest p;
        QVERIFY(p.PastTheSplash());
        QWidget* before = QApplication::focusWidget();
        p.window().Action(QStringLiteral("MenuAbout2"))->trigger();
        AboutWindow& about = p.about();
        QVERIFY(QTest::qWaitForWindowActive(&about) && about.cmdOK()->hasFocus());
        QCOMPARE(QAccessible::queryAccessibleInterface(&about)->role(), QAccessible::Dialog);
        QTest::keyClick(about.cmdOK(), QKeySequence(QTest::currentDataTag())[0].key());
        QVERIFY(!about.isVisible() && p.window().isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), before);
    }
};

static const bool kRegistered = RegisterGuiTest<AboutWindowTest>();
#include "test_about_window.moc"
