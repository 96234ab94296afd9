// The program's start: the splash on screen while the main and About windows load hidden, the
// three ways it gives way, the version texts, and the data file named on the command line.
#include "StartupUnderTest.h"
#include "pages/EntryField.h"
#include "pages/EntryGridPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

using namespace qb;
using namespace std::chrono_literals;

namespace {

constexpr auto kShortSplash = 100ms;

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Three rows, the third left out of the computation.
const QByteArray kDataFile = "[Program ID]\r\nID=Quantorelle\r\n\r\n[Points]\r\nNumber=3\r\n\r\n"
                             "[Data X]\r\n1=1\r\n2=2\r\n3=4\r\n\r\n"
                             "[Data Y]\r\n1=2\r\n2=3\r\n3=7\r\n\r\n"
                             "[Use XY]\r\n1=1\r\n2=1\r\n3=0\r\n\r\n"
                             "[Statistics]\r\n\r\n[Computation]\r\nItems=0\r\n";

// The splash gave way for good: main window shown, splash hidden, its timer stopped, and no
// later tick brings anything back.
void ExpectGivenWay(StartupUnderTest& p) {
    QVERIFY(p.window().isVisible());
    QVERIFY(!p.splash().isVisible());
    QVERIFY(!p.splash().Timer1()->isActive());
    QSignalSpy closedAgain(&p.splash(), &SplashWindow::Closed);
    p.window().hide();
    QTest::qWait(3 * int(kShortSplash.count()));
    QCOMPARE(closedAgain.count(), 0);
    QVERIFY(!p.window().isVisible());
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void theSplashShowsWhileTheOtherWindowsLoadHidden() {
        StartupUnderTest p;
        QVERIFY(p.splash().isVisible());
        QVERIFY(p.splash().windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(QTest::qWaitForWindowActive(&p.splash())); // so that a key reaches it
        QCOMPARE(p.splash().lblProductName()->text(), QStringLiteral("Quantorelle Brindel"));
        QCOMPARE(p.splash().lblProductName()->font().family(), QStringLiteral("Arial"));
        QVERIFY(!p.window().isVisible());
        QVERIFY(!p.about().isVisible());
        QVERIFY(p.window().Grid()->Txt_X(0)->isEnabled()); // loaded: the grid is built
        QVERIFY(p.splash().Timer1()->isActive());
    }

    void nothingLoadsBeforeTheSplashIsOnScreen() {
        int calls = 0;
        const StartupUnderTest p(1h, {}, {1, 0, 0}, [&calls] {
            ++calls;
            const QWidgetList windows = QApplication::topLevelWidgets();
            QCOMPARE(windows.size(), 1);
            QVERIFY(qobject_cast<SplashWindow*>(windows[0])->OnScreen());
        });
        QCOMPARE(calls, 1);
    }

    void theSplashLastsThreeSecondsByDefault() {
        StartupUnderTest p(kSplashTime);
        QCOMPARE(p.splash().Timer1()->interval(), 3000);
    }

    void versionTexts_data() {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("splash");
        QTest::addColumn<QString>("about");
        QTest::newRow("1.0.0") << 1 << 0 << 0 << "Versione 1.00"
                               << "Versione: 1.00";
        QTest::newRow("1.2.15") << 1 << 2 << 15 << "Versione 1.215"
                                << "Versione: 1.215";
        QTest::newRow("2.10.3") << 2 << 10 << 3 << "Versione 2.103"
                                << "Versione: 2.103";
        QTest::newRow("largest") << 65535 << 65535 << 65535 << "Versione 65535.6553565535"
                                 << "Versione: 65535.6553565535";
    }
    void versionTexts() {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, splash);
        QFETCH(QString, about);
        const ProgramVersion version{quint16(major), quint16(minor), quint16(revision)};
        StartupUnderTest p(1h, {}, version);
        QCOMPARE(p.splash().lblVersion()->text(), splash);
        QCOMPARE(p.about().lblVersion()->text(), about);
    }

    void withoutKeyOrClickTheTimerGivesWay() {
        StartupUnderTest p(kShortSplash);
        QVERIFY(!p.window().isVisible());
        QTRY_VERIFY(p.window().isVisible());
        ExpectGivenWay(p);
    }

    void aCharacterKeyGivesWayAtOnce_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("letter") << int(Qt::Key_A);
        QTest::newRow("digit") << int(Qt::Key_5);
        QTest::newRow("space") << int(Qt::Key_Space);
        QTest::newRow("enter") << int(Qt::Key_Return);
        QTest::newRow("escape") << int(Qt::Key_Escape);
        QTest::newRow("backspace") << int(Qt::Key_Backspace);
    }
    void aCharacterKeyGivesWayAtOnce() {
        QFETCH(int, key);
        StartupUnderTest p(kShortSplash);
        QTest::keyClick(&p.splash(), Qt::Key(key));
        ExpectGivenWay(p);
    }

    void keysThatTypeNothingKeepTheSplash_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("shift") << int(Qt::Key_Shift);
        QTest::newRow("control") << int(Qt::Key_Control);
        QTest::newRow("function key") << int(Qt::Key_F5);
        QTest::newRow("arrow") << int(Qt::Key_Left);
    }
    void keysThatTypeNothingKeepTheSplash() {
        QFETCH(int, key);
        StartupUnderTest p;
        QTest::keyClick(&p.splash(), Qt::Key(key));
        QVERIFY(p.splash().isVisible());
        QVERIFY(!p.window().isVisible());
    }

    void aClickOnTheFrameGivesWayAtOnce_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("frame") << "Frame1";
        QTest::newRow("product name on it") << "lblProductName";
        QTest::newRow("picture on it") << "Image1";
    }
    void aClickOnTheFrameGivesWayAtOnce() {
        QFETCH(QString, target);
        StartupUnderTest p(kShortSplash);
        auto* widget = p.splash().findChild<QWidget*>(target);
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4));
        ExpectGivenWay(p);
    }

    void dataFileArgument_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        const QString absolute = QDir::current().absoluteFilePath(QStringLiteral("misure.rgs"));
        QTest::newRow("none") << QStringList{"quantorelle-brindel"} << QString();
        QTest::newRow("one, made absolute")
            << QStringList{"quantorelle-brindel", "misure.rgs"} << absolute;
        QTest::newRow("one, absolute") << QStringList{"quantorelle-brindel", absolute} << absolute;
        QTest::newRow("two") << QStringList{"quantorelle-brindel", "a.rgs", "b.rgs"} << QString();
        QTest::newRow("empty") << QStringList{"quantorelle-brindel", ""} << QString();
    }
    void dataFileArgument() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QCOMPARE(DataFileArgument(arguments), file);
    }

    void theDataFileOpensWhenTheMainWindowAppears() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("misure.rgs"));
        WriteFile(path, kDataFile);
        StartupUnderTest p(1h, path);
        QCOMPARE(p.window().Grid()->Txt_X(0)->text(), QString()); // not before
        QVERIFY(p.PastTheSplash());
        EntryGridPage& grid = *p.window().Grid();
        QCOMPARE(p.analysis.RowCount(), 3);
        QCOMPARE(grid.Txt_X(2)->text(), QStringLiteral("4"));
        QCOMPARE(grid.Txt_Y(2)->text(), QStringLiteral("7"));
        QVERIFY(grid.Chk_Linea(1)->isChecked());
        QVERIFY(!grid.Chk_Linea(2)->isChecked());
        QCOMPARE(p.analysis.CurrentFileName(), path);
        QVERIFY(p.messages.requests.isEmpty());
    }

    void aFileOfAnotherProgramIsRefusedAsOpenRefusesIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("altro.rgs"));
        WriteFile(path, "[Program ID]\r\nID=Altro\r\n");
        StartupUnderTest p(1h, path);
        QVERIFY(p.messages.requests.isEmpty()); // nothing shows over the splash
        QVERIFY(p.PastTheSplash());
        QCOMPARE(p.messages.requests.size(), 1);
        QCOMPARE(p.messages.requests[0].text,
                 QStringLiteral("Il file ") + path +
                     QStringLiteral(" non è un file valido per questo programma."));
        QCOMPARE(p.messages.requests[0].style, kErrorStyle);
        QCOMPARE(p.analysis.CurrentFileName(), QString());
    }

    void withoutADataFileNothingIsOpened() {
        StartupUnderTest p;
        QVERIFY(p.PastTheSplash());
        QCOMPARE(p.analysis.RowCount(), 2);
        QCOMPARE(p.analysis.CurrentFileName(), QString());
        QVERIFY(p.messages.requests.isEmpty());
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
