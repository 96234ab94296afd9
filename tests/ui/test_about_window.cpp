// "Informazioni su...": the About window over a disabled main window, the two ways back, the
// hidden system-information button and its message.
#include "StartupUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace qb;

namespace {

void OpenAbout(StartupUnderTest& p) {
    p.window().Action(QStringLiteral("MenuAbout2"))->trigger();
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT
private slots:
    void loadsHiddenWithItsCaptions() {
        StartupUnderTest p;
        AboutWindow& about = p.about();
        QVERIFY(!about.isVisible());
        QCOMPARE(about.windowTitle(), QStringLiteral("Quantorelle Brindel"));
        QCOMPARE(about.lblTitle()->text(), QStringLiteral("Quantorelle Brindel"));
        QCOMPARE(about.lblVersion()->text(), QStringLiteral("Versione: 1.00"));
        QCOMPARE(about.cmdOK()->text(), QStringLiteral("OK"));
        QCOMPARE(about.cmdSysInfo()->text(), QStringLiteral("Sistema..."));
        QVERIFY(about.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!about.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        QCOMPARE(about.findChildren<QLabel*>(QStringLiteral("Lab_Autore")).size(), 2);
    }

    void showsOverTheDisabledMainWindow() {
        StartupUnderTest p;
        QVERIFY(p.PastTheSplash());
        OpenAbout(p);
        QVERIFY(p.about().isVisible());
        QVERIFY(p.about().isWindow() && !p.about().parentWidget()); // no owner
        QVERIFY(p.window().isVisible());
        QVERIFY(!p.window().isEnabled());
        QVERIFY(!p.about().cmdSysInfo()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), p.about().cmdOK());
    }

    void okGivesTheMainWindowBackWithTheFocus() {
        StartupUnderTest p;
        QVERIFY(p.PastTheSplash());
        OpenAbout(p);
        QVERIFY(QTest::qWaitForWindowActive(&p.about()));
        QTest::mouseClick(p.about().cmdOK(), Qt::LeftButton);
        QVERIFY(!p.about().isVisible());
        QVERIFY(p.window().isEnabled());
        QTRY_COMPARE(QApplication::activeWindow(), &p.window());
    }

    void theCloseBoxGivesTheMainWindowBack() {
        StartupUnderTest p;
        QVERIFY(p.PastTheSplash());
        OpenAbout(p);
        QVERIFY(p.about().close());
        QVERIFY(!p.about().isVisible());
        QVERIFY(p.window().isEnabled());
        QVERIFY(p.window().isVisible()); // closing it never ends the program
    }

    void onlyCtrlAltF1OnOkRevealsTheSystemButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("revealed");
        QTest::newRow("Ctrl+Alt+F1")
            << int(Qt::Key_F1) << int(Qt::ControlModifier | Qt::AltModifier) << true;
        QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier) << false;
        QTest::newRow("Ctrl+F1") << int(Qt::Key_F1) << int(Qt::ControlModifier) << false;
        QTest::newRow("Alt+F1") << int(Qt::Key_F1) << int(Qt::AltModifier) << false;
        QTest::newRow("Ctrl+Alt+Shift+F1")
            << int(Qt::Key_F1) << int(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier)
            << false;
        QTest::newRow("Ctrl+Alt+F2")
            << int(Qt::Key_F2) << int(Qt::ControlModifier | Qt::AltModifier) << false;
    }
    void onlyCtrlAltF1OnOkRevealsTheSystemButton() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, revealed);
        StartupUnderTest p;
        QVERIFY(p.PastTheSplash());
        OpenAbout(p);
        QTest::keyClick(p.about().cmdOK(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(p.about().cmdSysInfo()->isVisible(), revealed);
        QVERIFY(p.about().isVisible());
        QVERIFY(p.help.shown.isEmpty()); // F1 here is not the main window's help
    }

    void theSystemButtonStaysUntilTheWindowCloses() {
        StartupUnderTest p;
        QVERIFY(p.PastTheSplash());
        OpenAbout(p);
        QTest::keyClick(p.about().cmdOK(), Qt::Key_F1, Qt::ControlModifier | Qt::AltModifier);
        QTest::keyClick(p.about().cmdOK(), Qt::Key_F1);
        QVERIFY(p.about().cmdSysInfo()->isVisible());
        QTest::mouseClick(p.about().cmdOK(), Qt::LeftButton);
        OpenAbout(p);
        QVERIFY(p.about().isVisible());
        QVERIFY(!p.about().cmdSysInfo()->isVisible());
    }

    void theSystemButtonTellsThatNoProgramIsRegistered() {
        StartupUnderTest p;
        QVERIFY(p.PastTheSplash());
        OpenAbout(p);
        QTest::keyClick(p.about().cmdOK(), Qt::Key_F1, Qt::ControlModifier | Qt::AltModifier);
        QTest::mouseClick(p.about().cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(p.messages.requests.size(), 1);
        QCOMPARE(p.messages.requests[0].text,
                 QStringLiteral("Non è possibile lanciare il programma 'System Info'"));
        QCOMPARE(p.messages.requests[0].style, kPlainStyle);
        QCOMPARE(p.messages.requests[0].title, QStringLiteral("Quantorelle"));
        QVERIFY(p.launcher.started.isEmpty());
        QVERIFY(p.about().isVisible());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "test_about_window.moc"
