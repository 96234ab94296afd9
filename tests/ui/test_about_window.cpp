// "Informazioni su...": the About window over a disabled main window, the two ways back, the
// hidden system-information button and its message.
#include "StartupUnderTest.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace qb;

namespace {

// Past the splash, "Informazioni su..." chosen; null when the main window never came.
AboutWindow* OpenAbout(StartupUnderTest& p) {
    if (!p.PastTheSplash()) {
        return nullptr;
    }
    p.window().Action(QStringLiteral("MenuAbout2"))->trigger();
    return &p.about();
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT
private slots:

    void showsItselfOverTheDisabledMainWindow() {
        StartupUnderTest p;
        AboutWindow* about = OpenAbout(p);
        QVERIFY(about);
        QVERIFY(about->isVisible() && !about->parentWidget());
        QCOMPARE(about->windowTitle() + about->lblTitle()->text() + about->lblVersion()->text(),
                 QStringLiteral("Quantorelle BrindelQuantorelle BrindelVersione: 1.00"));
        QVERIFY(about->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(!about->findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().isNull());
        QVERIFY(p.window().isVisible() && !p.window().isEnabled());
        QTRY_COMPARE(QApplication::focusWidget(), about->cmdOK());
    }

    void okAndTheCloseBoxGiveTheMainWindowBack() {
        StartupUnderTest p;
        AboutWindow* about = OpenAbout(p);
        QVERIFY(about);
        QTest::mouseClick(about->cmdOK(), Qt::LeftButton);
        QVERIFY(!about->isVisible() && p.window().isEnabled());
        QTRY_COMPARE(QApplication::activeWindow(), &p.window());
        p.window().Action(QStringLiteral("MenuAbout2"))->trigger();
        QVERIFY(about->close());
        QVERIFY(p.window().isEnabled() && p.window().isVisible()); // the program goes on
    }

    void onlyCtrlAltF1OnOkRevealsTheSystemButtonUntilClosed_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        const int ctrlAlt = Qt::ControlModifier | Qt::AltModifier;
        QTest::newRow("Ctrl+Alt+F1") << int(Qt::Key_F1) << ctrlAlt;
        QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier);
        QTest::newRow("Ctrl+F1") << int(Qt::Key_F1) << int(Qt::ControlModifier);
        QTest::newRow("Alt+F1") << int(Qt::Key_F1) << int(Qt::AltModifier);
        QTest::newRow("Ctrl+Alt+Shift+F1") << int(Qt::Key_F1) << int(ctrlAlt | Qt::ShiftModifier);
        QTest::newRow("Ctrl+Alt+F2") << int(Qt::Key_F2) << ctrlAlt;
    }
    void onlyCtrlAltF1OnOkRevealsTheSystemButtonUntilClosed() {
        StartupUnderTest p;
        AboutWindow* about = OpenAbout(p);
        QVERIFY(about);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QVERIFY(!about->cmdSysInfo()->isVisible());
        QTest::keyClick(about->cmdOK(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTest::keyClick(about->cmdOK(), Qt::Key_F1); // changes nothing, opens no help
        QCOMPARE(about->cmdSysInfo()->isVisible(),
                 QByteArray(QTest::currentDataTag()) == "Ctrl+Alt+F1");
        QVERIFY(about->isVisible() && p.help.shown.isEmpty());
        QTest::mouseClick(about->cmdOK(), Qt::LeftButton);
        p.window().Action(QStringLiteral("MenuAbout2"))->trigger();
        QVERIFY(about->isVisible() && !about->cmdSysInfo()->isVisible());
    }

    void theSystemButtonTellsThatThereIsNoProgram() {
        StartupUnderTest p;
        AboutWindow* about = OpenAbout(p);
        QVERIFY(about);
        QTest::keyClick(about->cmdOK(), Qt::Key_F1, Qt::ControlModifier | Qt::AltModifier);
        QTest::mouseClick(about->cmdSysInfo(), Qt::LeftButton);
        QCOMPARE(p.messages.requests.size(), 1);
        QCOMPARE(p.messages.requests[0].text + u'|' + p.messages.requests[0].title,
                 QStringLiteral("Non è possibile lanciare il programma 'System Info'|Quantorelle"));
        QVERIFY(p.messages.requests[0].style == kPlainStyle);
        QVERIFY(p.launcher.started.isEmpty() && about->isVisible());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "test_about_window.moc"
