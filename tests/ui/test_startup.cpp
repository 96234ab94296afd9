// The splash's first frame, what loads behind it, how it gives way, the data file it opens.
#include "StartupUnderTest.h"
#include "pages/EntryField.h"
#include "pages/EntryGridPage.h"
#include "session/RecoveryCopy.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

using namespace qb;

class StartupTest : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> state_; // each test's own recovery copies

private slots:
    void init() {
        state_.emplace();
        qputenv("XDG_STATE_HOME", state_->path().toUtf8());
    }

    void theFirstFrameIsTheSplashDrawnAtBuildTime() {
        SplashWindow splash({1, 0, 0});
        QVERIFY(!splash.findChild<QLabel*>("lblProductName")); // nothing font-bound built yet
        const QImage first = splash.grab().toImage();
        splash.ShowInFront();
        QCOMPARE(splash.grab().toImage(), first);
    }

    void nothingLoadsBeforeTheSplashIsOnScreen() {
        int calls = 0;
        StartupUnderTest p(std::chrono::hours(1), {}, {1, 2, 15}, [&calls] {
            ++calls;
            const QWidgetList windows = QApplication::topLevelWidgets();
            QVERIFY(windows.size() == 1 && qobject_cast<SplashWindow*>(windows[0])->OnScreen());
        });
        QCOMPARE(calls, 1);
        QCOMPARE(p.splash().findChild<QLabel*>("lblVersion")->text(),
                 QStringLiteral("Versione 1.215"));
        QTest::keyClick(&p.splash(), Qt::Key_Shift); // types nothing: the splash stays
        QVERIFY(p.splash().windowFlags() & Qt::WindowStaysOnTopHint && !p.window().isVisible());
    }

    void theSplashGivesWayOnceAtACharacterKeyAClickOrItsTimer() {
        for (int way = 0; way < 3; ++way) {
            StartupUnderTest p(way == 2 ? std::chrono::milliseconds(100) : std::chrono::hours(1));
            if (way == 0)
                QTest::keyClick(&p.splash(), Qt::Key_Escape);
            if (way == 1) // on the picture: the click reaches the frame under it
                QTest::mouseClick(p.splash().findChild<QWidget*>(QStringLiteral("Image1")),
                                  Qt::LeftButton, {}, QPoint(4, 4));
            QTRY_VERIFY(p.window().isVisible());
            QVERIFY(!p.splash().isVisible() &&
                    !p.splash().findChild<QTimer*>("Timer1")->isActive());
        }
    }

    void theDataFileOpensWhenTheMainWindowAppears() {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("misure.rgs")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Program ID]\r\nID=Quantorelle\r\n\r\n[Points]\r\nNumber=2\r\n\r\n[Data X]\r\n"
                   "1=1\r\n2=4\r\n\r\n[Data Y]\r\n1=2\r\n2=7\r\n\r\n[Use XY]\r\n1=1\r\n2=0\r\n\r\n"
                   "[Statistics]\r\n\r\n[Computation]\r\nItems=0\r\n");
        file.close();
        StartupUnderTest p(std::chrono::hours(1), file.fileName());
        QCOMPARE(p.window().Grid()->Txt_Y(1)->text(), QString()); // not before
        QVERIFY(p.PastTheSplash());
        QCOMPARE(p.window().Grid()->Txt_Y(1)->text(), QStringLiteral("7"));
        QVERIFY(p.messages.requests.isEmpty()); // no work was left to offer
        QCOMPARE(DataFileArgument({"qb", "misure.rgs"}), QDir::current().filePath("misure.rgs"));
        QCOMPARE(DataFileArgument({"qb", "a.rgs", "b.rgs"}), QString());
    }

    void workLeftUnsavedIsOfferedOnceBeforeTheDataFile_data() {
        QTest::addColumn<QString>("copy");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("withDataFile");
        QTest::addColumn<QString>("y2"); // the second row's Y afterwards
        QTest::newRow("restored") << "work" << MessageAnswer::Yes << false << "-4";
        QTest::newRow("then the data file") << "work" << MessageAnswer::Yes << true << "3";
        QTest::newRow("declined") << "work" << MessageAnswer::No << false << "";
        QTest::newRow("unreadable") << "rubbish" << MessageAnswer::Ok << false << "";
    }
    void workLeftUnsavedIsOfferedOnceBeforeTheDataFile() {
        QFETCH(QString, copy);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, withDataFile);
        QFETCH(QString, y2);
        Analysis work(u'.');
        work.ChooseRowCount(3);
        work.SetText(Column::Y, 1, QStringLiteral("-4"));
        const QDir folder(RecoveryFolder::DesktopPlace());
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        QFile left(folder.filePath(QStringLiteral("99999-1.rgs")));
        QVERIFY(left.open(QIODevice::WriteOnly));
        left.write(copy == u"work"
                       ? RecoveryCopyBytes(work.Snapshot(), {QStringLiteral("/dati/misure.rgs"),
                                                             ConfidenceLevel::Percent99})
                       : copy.toLatin1());
        left.close();
        const QString dataFile = withDataFile ? QFINDTESTDATA("../e2e/expected.rgs") : QString();
        StartupUnderTest p(std::chrono::hours(1), dataFile);
        p.messages.answers << answer;
        QVERIFY(p.messages.requests.isEmpty() && p.PastTheSplash());
        QCOMPARE(p.messages.requests.size(), 1);
        QCOMPARE(p.window().Grid()->Txt_Y(1)->text(), y2);
        const QStringList copies = folder.entryList({QStringLiteral("*.rgs")});
        if (copy != u"work") {
            QVERIFY(
                p.messages.requests[0].text.contains(folder.filePath("99999-1-illeggibile.rgs")));
            QCOMPARE(copies, QStringList{QStringLiteral("99999-1-illeggibile.rgs")});
            return;
        }
        QVERIFY(
            p.messages.requests[0].text.startsWith(QStringLiteral("Il lavoro non salvato del ")));
        const bool restored = answer == MessageAnswer::Yes && !withDataFile;
        QCOMPARE(p.analysis.ChangedSinceSaved(), restored);
        QCOMPARE(p.analysis.CurrentFileName(), restored ? "/dati/misure.rgs" : dataFile);
        QCOMPARE(p.analysis.Level(), answer == MessageAnswer::Yes ? ConfidenceLevel::Percent99
                                                                  : ConfidenceLevel::Percent95);
        QTRY_COMPARE(folder.entryList({QStringLiteral("*.rgs")}).size(), int(restored)); // its own
    }
};

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
