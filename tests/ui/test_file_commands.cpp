// The File menu beyond what the random user checks: saves that cannot complete, a file opened
// from the command line, "File recenti" and "Stampa".
#include "ProgramUnderTest.h"
#include "files/DataFile.h"
#include "support/FileBytes.h"
#include "windows/RecentFilesMenu.h"

#include <QDir>
#include <QMenu>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace qb;

namespace {

void Trigger(ProgramUnderTest& p, const QString& action, std::optional<QString> chosen = {}) {
    p.files.answers.enqueue(chosen ? std::optional(FileChoice{*chosen}) : std::nullopt);
    p.window.Action(action)->trigger();
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // Rows named "<way>, <size> bytes, <command>".
    void aSaveThatCannotCompleteKeepsTheOldFile_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("command");
        for (const char* way : {"size limit", "killed at the limit", "full disk"}) {
            for (int size : {700, 10 * 1024, 30 * 1024}) {
                for (const char* command : {"MenuSalva", "MenuSalvaNome"}) {
                    QTest::addRow("%s, %d bytes, %s", way, size, command)
                        << QString::fromLatin1(way) << size << QString::fromLatin1(command);
                }
            }
        }
    }
    // Saves the analysis, grows its history to the row's size and saves it again with the row's
    // command, in a child process whose files may not grow past half that size (as on a disk
    // that fills up during the save; or killed there by the limit's signal, as by a user in the
    // middle of writing) or after filling a small file system to its last byte.
    void aSaveThatCannotCompleteKeepsTheOldFile() {
        QFETCH(QString, way);
        const bool fullDisk = way == u"full disk";
        const bool killed = way == u"killed at the limit";
        QFETCH(int, size);
        QFETCH(QString, command);
        QTemporaryDir folder;
        const QByteArray mountPoint = QFile::encodeName(folder.path());
        if (fullDisk &&
            (geteuid() != 0 || mount("tmpfs", mountPoint, "tmpfs", 0, "size=64k") != 0)) {
            QSKIP("no small file system can be mounted here");
        }
        const auto unmount = qScopeGuard([&] { umount2(mountPoint, MNT_DETACH); });
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::StatisticsTab);
        const QString path = folder.filePath("full.rgs");
        Trigger(p, "MenuSalvaNome", path);
        const QByteArray old = Contents(path);
        QFile filler(folder.filePath("filler"));
        QVERIFY(!fullDisk || filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (fullDisk && filler.write(QByteArray(4096, 'f')) > 0) {
        }
        // One prediction at least, each a line of about 32 bytes.
        const qsizetype added = std::max<qsizetype>(1, (size - old.size()) / 32);
        p.analysis.ReplaceHistory(p.analysis.History() +
                                  QStringList(added, "X = 5.00000 / Y = 7.50000"));
        const rlim_t limit =
            fullDisk ? RLIM_INFINITY : rlim_t(DataFileBytes(p.analysis.Snapshot()).size() / 2);
        p.messages.answers.enqueue(MessageAnswer::Yes);
        // "Salva col nome..." asks to overwrite first; then the error is the only message.
        const QStringList expected = Shown(p.messages)
                                     << "Errore occorso durante la creazione del file " + path +
                                            "|error|Quantorelle Brindel";
        // The child gets no thread but this one: the desktop list's writer must be idle, or
        // the child may wait forever on a lock that the writer held.
        p.window.findChild<RecentFilesMenu*>()->Files().WaitForDesktopList();
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
            const rlimit fileSize{limit, limit};
            const bool limited = setrlimit(RLIMIT_FSIZE, &fileSize) == 0;
            Trigger(p, command, path);
            const QStringList shown = Shown(p.messages);
            _exit(limited && shown.last() == expected.last() &&
                          shown.size() == expected.size() + (command == "MenuSalva" ? 0 : 1)
                      ? 0
                      : 1);
        }
        int status = -1;
        waitpid(child, &status, 0);
        QCOMPARE(Contents(path), old);
        QCOMPARE(QDir(folder.path()).entryList({"full.rgs*"}, QDir::Files | QDir::Hidden),
                 QStringList{"full.rgs"});
        QVERIFY2(status == (killed ? SIGXFSZ : 0),
                 "the error message was not the only answer to the command");
    }

    void aFileOpenedFromTheCommandLineFillsThePagesAndKeepsItsName() {
        QTemporaryDir dir;
        QFile file(dir.filePath("opened.rgs"));
        QVERIFY(
            file.open(QIODevice::WriteOnly) &&
            file.write("[program id]\r\nid=QUANTORELLE\r\n[Points]\r\nNumber=4,6\r\n[Data Y]\r\n"
                       "4=6,5\r\n") > 0);
        file.close();
        ProgramUnderTest p;
        // From another page: the data page comes back, with the keys in the first X field.
        p.ClickTab(MainWindow::Page::PredictionTab);
        p.window.OpenFile(file.fileName()); // as from the command line
        QCOMPARE(p.Y(3)->text(), QStringLiteral("6.5"));
        QVERIFY(p.window.SSTab()->currentIndex() == 0 && QApplication::focusWidget() == p.X(0));
        Trigger(p, "MenuSalvaNome"); // cancelled: offers the name opened
        QCOMPARE(p.files.requests.last().initialName, file.fileName());
    }

    // Straight to the printer, asking nothing; the report is of the analysis as it stays.
    void printHandsThePrinterTheReportOfTheAnalysis() {
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::StatisticsTab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(p.printer.printed.size(), 1);
        QStringList pieces;
        for (const ReportLine& line : p.printer.printed.constFirst()) {
            for (const ReportPiece& piece : line.pieces) {
                pieces << piece.text;
            }
        }
        // The worked example's rows and line, as printed, then how sure the line is and the
        // residuals.
        const QString printed = pieces.join(u'|');
        QVERIFY(printed.contains("01 = 1.00000 / 2.00000|") &&
                printed.contains("|a = 1.40000|b = 0.50000|5. INCERTEZZA DELLA STIMA|") &&
                printed.endsWith("|-0.10000|-0.57735|0.70000|0.38889|in uso"));
        QVERIFY(p.messages.requests.isEmpty() && p.analysis.StatsValid());
    }

    // Saved and opened files, newest first; a file gone since leaves the menu with a message.
    void recentFilesOpenAgainOrLeaveWhenGone() {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        ProgramUnderTest p;
        auto* menu = p.window.findChild<QMenu*>(QStringLiteral("MenuFileRecenti"));
        QVERIFY(!menu->menuAction()->isEnabled());
        const QString a = home.filePath("a&b.rgs"), b = home.filePath("b.rgs");
        p.EnterWorkedExample();
        Trigger(p, "MenuSalvaNome", a);
        Trigger(p, "MenuSalvaNome", b);
        Trigger(p, "MenuApri", a);
        QStringList shown;
        for (const QAction* entry : menu->actions()) {
            shown << entry->text() + u'|' + entry->toolTip();
        }
        QCOMPARE(shown, QStringList({"&1 a&&b.rgs|" + a, "&2 b.rgs|" + b}));
        QVERIFY(QFile::remove(a));
        p.messages.requests.clear();
        menu->actions().constFirst()->trigger();
        QCOMPARE(Shown(p.messages), QStringList("Il file " + a +
                                                " non esiste più: è stato tolto dai file "
                                                "recenti.|error|Quantorelle Brindel"));
        p.analysis.SetText(Column::X, 0, QStringLiteral("9"));
        menu->actions().constFirst()->trigger(); // b, opened again
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(p.analysis.CurrentFileName(), b);
        QCOMPARE(p.X(0)->text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
