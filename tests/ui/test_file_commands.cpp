// The File menu as a user meets it: saving with and without a name, the overwrite question,
// saves that cannot complete, opening good and bad files, "Nuovo" and "Stampa".
#include "ProgramUnderTest.h"
#include "files/DataFile.h"
#include "pages/PredictionPage.h"
#include "support/WorkedExample.h"

#include <QDir>
#include <QListWidget>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace qb;

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? path : QString();
}

// The worked example typed in, computed, with one prediction in the history.
void EnterComputedExample(ProgramUnderTest& p) {
    p.ChooseRowCount(worked::kRows.size());
    p.EnterRows(worked::kRows);
    p.ClickTab(MainWindow::PredictionTab);
    QTest::keyClicks(p.window.PredictPage()->Txt_X_Prev(), "5\r");
    p.ClickTab(MainWindow::DataTab);
}

void Trigger(ProgramUnderTest& p, const QString& action, std::optional<QString> chosen = {}) {
    p.files.answers.enqueue(chosen);
    p.window.Action(action)->trigger();
}

// The messages shown, each as "text|style"; all carry the window's caption.
QStringList Shown(const ProgramUnderTest& p) {
    QStringList shown;
    for (const auto& r : p.messages.requests) {
        const char* style = r.style == kErrorStyle          ? "error"
                            : r.style == kConfirmationStyle ? "confirmation"
                            : r.style == kQuestionStyle     ? "question"
                                                            : "other";
        shown << r.text + u'|' + style + (r.title == "Quantorelle Brindel" ? "" : " untitled");
    }
    return shown;
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void savingAsksTheNameOnceAndTheOverwriteQuestionDecides_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Sì") << true;
        QTest::newRow("No") << false;
    }
    void savingAsksTheNameOnceAndTheOverwriteQuestionDecides() {
        QFETCH(bool, yes);
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QString path = WriteFile(dir.filePath("prova"), "old"); // typed without extension
        p.messages.answers.enqueue(yes ? MessageAnswer::Yes : MessageAnswer::No);
        Trigger(p, "MenuSalva", path); // no name yet: as "Salva col nome..."
        const FileDialogRequest& asked = p.files.requests[0];
        QVERIFY(asked.kind == FileDialogRequest::Kind::Save && asked.initialName.isEmpty());
        QCOMPARE(asked.filters[0].description + asked.filters[1].description +
                     asked.filters[0].pattern + asked.filters[1].pattern,
                 QStringLiteral("File dati (*.rgs)Tutti i file (*.*)*.rgs*.*"));
        QCOMPARE(Shown(p), QStringList({"Sovrascrivere il file " + path + "?|question",
                                        yes ? "Il file " + path +
                                                  " è stato salvato correttamente|confirmation"
                                            : "I dati non sono stati salvati|error"}));
        QCOMPARE(Contents(path), yes ? DataFileBytes(p.analysis.Snapshot()) : "old");
        p.TypeInto(p.X(0), "0");
        Trigger(p, "MenuSalva"); // bound: written silently; declined: asks again, cancelled
        QCOMPARE(p.files.requests.size(), yes ? 1 : 2);
        QCOMPARE(Contents(path).contains("\r\n[Data X]\r\n1=0\r\n"), yes);
        QCOMPARE(p.messages.requests.size(), 2);
        Trigger(p, "MenuApri"); // cancelled: the name is offered, the pages stay, the file unbound
        QCOMPARE(p.files.requests.last().initialName, path);
        QVERIFY(p.X(3)->text() == "4" && p.analysis.CurrentFileName().isEmpty());
        QCOMPARE(QDir(dir.path()).entryList({"prova*"}, QDir::Files | QDir::Hidden).size(), 1);
    }

    void aSaveCutShortKeepsTheOldFile_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("command");
        for (int size : {700, 10 * 1024, 30 * 1024}) {
            for (const char* command : {"MenuSalva", "MenuSalvaNome"}) {
                QTest::addRow("%d bytes, %s", size, command) << size << command;
            }
        }
    }
    // The file may not grow past half its size, as on a disk that fills up during the save.
    void aSaveCutShortKeepsTheOldFile() {
        QTemporaryDir folder;
        SaveThatCannotComplete(folder.path(), false);
    }

    void aSaveOntoAFullDiskKeepsTheOldFile_data() { aSaveCutShortKeepsTheOldFile_data(); }
    void aSaveOntoAFullDiskKeepsTheOldFile() {
        QTemporaryDir folder;
        const QByteArray mountPoint = QFile::encodeName(folder.path());
        if (geteuid() != 0 || mount("tmpfs", mountPoint, "tmpfs", 0, "size=64k") != 0) {
            QSKIP("no small file system can be mounted here");
        }
        const auto unmount = qScopeGuard([&] { umount2(mountPoint, MNT_DETACH); });
        SaveThatCannotComplete(folder.path(), true);
    }

    void newAndABadRowCountEmptyThePagesAndForgetTheFile() {
        for (const char* command : {"MenuNuovo", "MenuApri"}) {
            ProgramUnderTest p;
            EnterComputedExample(p);
            Trigger(p, "MenuSalvaNome", dir.filePath(command));
            Trigger(p, command,
                    WriteFile(dir.filePath("count.rgs"),
                              "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=31\r\n"));
            QCOMPARE(p.grid().Cmb_NumDati()->currentText(), QStringLiteral("2"));
            QVERIFY(p.X(0)->text().isEmpty() &&
                    p.window.PredictPage()->Lst_Storico()->count() == 0);
            QVERIFY(!p.analysis.StatsValid() && p.analysis.CurrentFileName().isEmpty());
            QCOMPARE(p.messages.requests.size(), 1);
        }
    }

    void openFillsThePagesOrRefusesWhatIsNotADataFile() {
        ProgramUnderTest p;
        const QString path = WriteFile(
            dir.filePath("opened.rgs"),
            "[program id]\r\nid=QUANTORELLE\r\n[Points]\r\nNumber=4,6\r\n[Data X]\r\n1=1\r\n2=2\r\n"
            "3=3\r\n4=4\r\n5=99\r\n[Data Y]\r\n1=2\r\n2=3\r\n3=5\r\n4=6,5\r\n[Use XY]\r\n1=1\r\n"
            "2=1\r\n3=0\r\n4=1\r\n[Statistics]\r\nX=2,5\r\n[Computation]\r\nItems=2\r\n0=a\r\n1="
            "b\r\n");
        p.ClickTab(MainWindow::PredictionTab);
        p.window.OpenFile(path); // as from the command line
        QVERIFY(p.window.SSTab()->currentIndex() == MainWindow::DataTab && !p.analysis.Busy());
        QVERIFY(p.Y(3)->text() == "6.5" && !p.X(4)->isEnabled() && p.analysis.StatsValid());
        QCOMPARE(p.window.PredictPage()->Lst_Storico()->currentRow(), 1);
        Trigger(p, "MenuSalvaNome"); // cancelled: offers the name opened
        QCOMPARE(p.files.requests.last().initialName, path);
        const QString text = WriteFile(dir.filePath("text.rgs"), "[Points]\r\nNumber=5\r\n");
        Trigger(p, "MenuApri", text);
        QCOMPARE(Shown(p), QStringList{"Il file " + text +
                                       " non è un file valido per questo programma.|error"});
        QVERIFY(p.Y(3)->text() == "6.5" && p.analysis.CurrentFileName().isEmpty() &&
                !p.analysis.Busy());
    }

    // Straight to the printer, asking nothing and changing nothing.
    void printHandsThePrinterTheReportOfTheAnalysis() {
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QByteArray before = DataFileBytes(p.analysis.Snapshot());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F12,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(p.printer.printed, QList<Report>{ReportLines(p.analysis.Snapshot())});
        QCOMPARE(p.printer.printed[0].last().pieces[0].text,
                 QStringLiteral("01: X = 5.00000 / Y = 7.50000"));
        QVERIFY(p.messages.requests.isEmpty() && DataFileBytes(p.analysis.Snapshot()) == before);
    }

private:
    // Saves the analysis into `folder`, grows its history to the row's size and saves it again
    // with the row's command, in a child process whose files may not grow past half that size
    // or, with `fillDisk`, after filling the file system to its last byte.
    void SaveThatCannotComplete(const QString& folder, bool fillDisk) {
        QFETCH(int, size);
        QFETCH(QString, command);
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QString path = QDir(folder).filePath("full.rgs");
        Trigger(p, "MenuSalvaNome", path);
        const QByteArray old = Contents(path);
        QFile filler(QDir(folder).filePath("filler"));
        QVERIFY(!fillDisk || filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (fillDisk && filler.write(QByteArray(4096, 'f')) > 0) {
        }
        // One prediction at least, each a line of about 32 bytes.
        const qsizetype added = std::max<qsizetype>(1, (size - old.size()) / 32);
        p.analysis.ReplaceHistory(p.analysis.History() +
                                  QStringList(added, "X = 5.00000 / Y = 7.50000"));
        const rlim_t limit =
            fillDisk ? RLIM_INFINITY : rlim_t(DataFileBytes(p.analysis.Snapshot()).size() / 2);
        p.messages.answers.enqueue(MessageAnswer::Yes);
        const QStringList expected =
            Shown(p) << "Errore occorso durante la creazione del file " + path + "|error";
        const pid_t child = fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of killing
            const rlimit fileSize{limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &fileSize) != 0) {
                _exit(2);
            }
            Trigger(p, command, path);
            const QStringList shown = Shown(p); // "Salva col nome..." asks to overwrite first
            _exit(shown.last() == expected.last() &&
                          shown.size() == expected.size() + (command == "MenuSalva" ? 0 : 1)
                      ? 0
                      : 1);
        }
        int status = -1;
        waitpid(child, &status, 0);
        QCOMPARE(Contents(path), old);
        QCOMPARE(QDir(folder).entryList({"full.rgs*"}, QDir::Files | QDir::Hidden),
                 QStringList{"full.rgs"});
        QVERIFY2(status == 0, "the error message was not the only answer to the command");
    }

    QTemporaryDir dir;
};

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
