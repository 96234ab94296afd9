// The File menu as a user meets it: saving with and without a name, the overwrite question,
// saves that cannot complete, opening good and bad files, and "Nuovo".
#include "ProgramUnderTest.h"
#include "files/DataFile.h"
#include "pages/PredictionPage.h"
#include "pages/StatisticsPage.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qb;

namespace {

const QString kCaption = QStringLiteral("Quantorelle Brindel");
const QList<std::pair<QString, QString>> kWorkedExample = {
    {"1", "2"}, {"2", "3"}, {"3", "5"}, {"4", "6"}};

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The worked example typed in, computed by a visit to the statistics page, with one
// prediction in the history.
void EnterComputedExample(ProgramUnderTest& p) {
    p.ChooseRowCount(kWorkedExample.size());
    p.EnterRows(kWorkedExample);
    p.ClickTab(MainWindow::PredictionTab);
    QTest::keyClicks(p.window.PredictPage()->Txt_X_Prev(), "5");
    QTest::keyClick(p.window.PredictPage()->Txt_X_Prev(), Qt::Key_Return);
    p.ClickTab(MainWindow::DataTab);
}

void Trigger(ProgramUnderTest& p, const char* action) {
    p.window.Action(QString::fromLatin1(action))->trigger();
}

// Runs `command` in a child process whose files may not grow past `limit` bytes; the exit
// status is 0 when the command returns true.
template <typename Command> int ExitStatusInChild(rlim_t limit, Command command) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of killing
        const rlimit fileSize{limit, limit};
        _exit(setrlimit(RLIMIT_FSIZE, &fileSize) == 0 && command() ? 0 : 1);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return status;
}

void ExpectMessage(const ScriptedMessageBox::Request& request, const QString& text,
                   MessageStyle style) {
    QCOMPARE(request.text, text);
    QVERIFY(request.style == style);
    QCOMPARE(request.title, kCaption);
}

} // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void saveAsWritesTheAnalysisUnderTheTypedNameAndConfirms() {
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QString path = dir.filePath("prova"); // typed without extension
        p.files.answers.enqueue(path);
        Trigger(p, "MenuSalvaNome");

        QCOMPARE(p.files.requests.size(), 1);
        const FileDialogRequest& request = p.files.requests[0];
        QCOMPARE(request.kind, FileDialogRequest::Save);
        QCOMPARE(request.filters.size(), 2);
        QCOMPARE(request.filters[0].description, QStringLiteral("File dati (*.rgs)"));
        QCOMPARE(request.filters[0].pattern, QStringLiteral("*.rgs"));
        QCOMPARE(request.filters[1].description, QStringLiteral("Tutti i file (*.*)"));
        QCOMPARE(request.filters[1].pattern, QStringLiteral("*.*"));
        QCOMPARE(request.selectedFilter, 0);
        QVERIFY(!request.confirmOverwrite);
        QVERIFY(request.initialName.isEmpty());

        QCOMPARE(Contents(path), DataFileBytes(p.analysis));
        QVERIFY(Contents(path).contains("\r\nItems=1\r\n0=X = 5.00000 / Y = 7.50000\r\n"));
        QCOMPARE(p.analysis.CurrentFileName(), path);
        QCOMPARE(p.messages.requests.size(), 1);
        ExpectMessage(p.messages.requests[0],
                      "Il file " + path + QString::fromUtf8(" è stato salvato correttamente"),
                      kConfirmationStyle);

        Trigger(p, "MenuApri"); // cancelled: the dialog still offers the last name
        QCOMPARE(p.files.requests[1].kind, FileDialogRequest::Open);
        QCOMPARE(p.files.requests[1].initialName, path);
    }

    void saveAsOffersTheNameOfAFileOpenedFromTheCommandLine() {
        ProgramUnderTest p;
        const QString path = dir.filePath("argomento.rgs");
        WriteFile(path, "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=2\r\n");
        p.window.OpenFile(path);
        Trigger(p, "MenuSalvaNome"); // cancelled
        QCOMPARE(p.files.requests.last().initialName, path);
    }

    void overwriteQuestionAnsweredNoLeavesTheFileAndTheBinding() {
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QString existing = dir.filePath("existing.rgs");
        WriteFile(existing, "not to be lost");
        p.files.answers.enqueue(existing);
        p.messages.answers.enqueue(MessageAnswer::No);
        Trigger(p, "MenuSalvaNome");

        QCOMPARE(Contents(existing), QByteArray("not to be lost"));
        QCOMPARE(p.messages.requests.size(), 2);
        ExpectMessage(p.messages.requests[0], "Sovrascrivere il file " + existing + "?",
                      kQuestionStyle);
        ExpectMessage(p.messages.requests[1], "I dati non sono stati salvati", kErrorStyle);
        QVERIFY(p.analysis.CurrentFileName().isEmpty());

        Trigger(p, "MenuSalva"); // still unbound: asks for a name, cancelled
        QCOMPARE(p.files.requests.size(), 2);
        QCOMPARE(Contents(existing), QByteArray("not to be lost"));
    }

    void overwriteQuestionAnsweredYesReplacesTheFile() {
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QString existing = dir.filePath("replaced.rgs");
        WriteFile(existing, "old");
        p.files.answers.enqueue(existing);
        p.messages.answers.enqueue(MessageAnswer::Yes);
        Trigger(p, "MenuSalvaNome");

        QCOMPARE(Contents(existing), DataFileBytes(p.analysis));
        QCOMPARE(p.messages.requests.size(), 2);
        QCOMPARE(p.messages.requests[1].style, kConfirmationStyle);
        QCOMPARE(QDir(dir.path()).entryList({"replaced*"}, QDir::Files).size(), 1);
    }

    void saveWithANameWritesSilentlyAndWithoutOneAsksForIt() {
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QString path = dir.filePath("silent.rgs");
        p.files.answers.enqueue(path);
        Trigger(p, "MenuSalva"); // no name yet: Save As
        QCOMPARE(p.files.requests.size(), 1);
        QCOMPARE(p.messages.requests.size(), 1);

        p.TypeInto(p.X(0), "0");
        p.X(0)->clearFocus();
        Trigger(p, "MenuSalva");
        QCOMPARE(p.files.requests.size(), 1);
        QCOMPARE(p.messages.requests.size(), 1);
        QVERIFY(Contents(path).contains(
            "\r\n[Data X]\r\n1=0\r\n")); // the typing replaced the selection
        QCOMPARE(Contents(path), DataFileBytes(p.analysis));
    }

    void aSaveCutShortKeepsTheOldFile_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("command");
        QTest::newRow("0.7 KiB, Salva") << 700 << "MenuSalva";
        QTest::newRow("0.7 KiB, Salva col nome") << 700 << "MenuSalvaNome";
        QTest::newRow("10 KiB, Salva") << 10 * 1024 << "MenuSalva";
        QTest::newRow("10 KiB, Salva col nome") << 10 * 1024 << "MenuSalvaNome";
        QTest::newRow("30 KiB, Salva") << 30 * 1024 << "MenuSalva";
        QTest::newRow("30 KiB, Salva col nome") << 30 * 1024 << "MenuSalvaNome";
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

    void newEmptiesThePagesAndForgetsTheFile() {
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QString path = dir.filePath("before-new.rgs");
        p.files.answers.enqueue(path);
        Trigger(p, "MenuSalvaNome");
        const QByteArray saved = Contents(path);
        p.ClickTab(MainWindow::StatisticsTab);

        Trigger(p, "MenuNuovo");
        QCOMPARE(p.window.SSTab()->currentIndex(), int(MainWindow::StatisticsTab));
        QCOMPARE(p.grid().Cmb_NumDati()->currentText(), QStringLiteral("2"));
        QVERIFY(p.X(0)->text().isEmpty() && p.Y(3)->text().isEmpty());
        QVERIFY(!p.X(2)->isEnabled());
        QVERIFY(p.window.StatsPage()->Lab_Ris(0)->text().isEmpty());
        QCOMPARE(p.window.PredictPage()->Lst_Storico()->count(), 0);
        QVERIFY(!p.analysis.StatsValid());
        QVERIFY(p.analysis.CurrentFileName().isEmpty());

        Trigger(p, "MenuSalva"); // asks for a name instead of writing over the old file
        QCOMPARE(p.files.requests.size(), 2);
        QCOMPARE(Contents(path), saved);
    }

    void openFillsThePagesFromTheFile() {
        ProgramUnderTest p;
        const QString path = dir.filePath("opened.rgs");
        WriteFile(path, "[program id]\r\nid=QUANTORELLE\r\n[Points]\r\nNumber=4,6\r\n"
                        "[Data X]\r\n1=1\r\n2=2\r\n3=3\r\n4=4\r\n5=99\r\n"
                        "[Data Y]\r\n1=2\r\n2=3\r\n3=5\r\n4=6,5\r\n"
                        "[Use XY]\r\n1=1\r\n2=1\r\n3=0\r\n4=1\r\n"
                        "[Statistics]\r\nX=2,5\r\n"
                        "[Computation]\r\nItems=2\r\n0=first\r\n1=second\r\n");
        p.ClickTab(MainWindow::PredictionTab);
        p.files.answers.enqueue(path);
        Trigger(p, "MenuApri");

        QVERIFY(p.messages.requests.isEmpty());
        QCOMPARE(p.analysis.CurrentFileName(), path);
        QCOMPARE(p.window.SSTab()->currentIndex(), int(MainWindow::DataTab));
        QCOMPARE(p.grid().Cmb_NumDati()->currentText(), QStringLiteral("4"));
        QCOMPARE(p.Y(3)->text(), QStringLiteral("6.5"));
        QVERIFY(p.X(4)->text().isEmpty() && !p.X(4)->isEnabled());
        QVERIFY(p.grid().Chk_Linea(0)->isChecked() && !p.grid().Chk_Linea(2)->isChecked());
        QVERIFY(p.analysis.StatsValid());
        QVERIFY(p.analysis.Figures()[Figure::X] == ExactNumber(mpq_class(5, 2)));
        QListWidget* history = p.window.PredictPage()->Lst_Storico();
        QCOMPARE(history->count(), 2);
        QCOMPARE(history->currentRow(), 1);
        QVERIFY(!p.analysis.Busy());

        p.ClickTab(MainWindow::StatisticsTab); // the figures are recomputed from the rows
        QVERIFY(p.analysis.Figures()[Figure::X] == ExactNumber(mpq_class(7, 3)));
        QCOMPARE(p.window.StatsPage()->Lab_Ris(0)->text(), QStringLiteral("2.33333"));
    }

    void openRefusesWhatIsNotADataFileAndKeepsThePages() {
        for (const QString& name : {QStringLiteral("missing.rgs"), QStringLiteral("text.rgs")}) {
            ProgramUnderTest p;
            WriteFile(dir.filePath("text.rgs"), "[Points]\r\nNumber=5\r\n");
            p.ChooseRowCount(3);
            p.EnterRows(kWorkedExample.mid(0, 3));
            const QString path = dir.filePath(name);
            p.files.answers.enqueue(path);
            Trigger(p, "MenuApri");
            QCOMPARE(p.messages.requests.size(), 1);
            ExpectMessage(p.messages.requests[0],
                          "Il file " + path +
                              QString::fromUtf8(" non è un file valido per questo programma."),
                          kErrorStyle);
            QCOMPARE(p.X(2)->text(), QStringLiteral("3"));
            QCOMPARE(p.grid().Cmb_NumDati()->currentText(), QStringLiteral("3"));
            QVERIFY(p.analysis.CurrentFileName().isEmpty());
            QVERIFY(!p.analysis.Busy());
        }
    }

    void openWithABadRowCountClearsThePagesSilently() {
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QString path = dir.filePath("count.rgs");
        WriteFile(path, "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=31\r\n");
        p.files.answers.enqueue(path);
        Trigger(p, "MenuApri");
        QVERIFY(p.messages.requests.isEmpty());
        QCOMPARE(p.grid().Cmb_NumDati()->currentText(), QStringLiteral("2"));
        QVERIFY(p.X(0)->text().isEmpty());
        QCOMPARE(p.window.PredictPage()->Lst_Storico()->count(), 0);
        QVERIFY(!p.analysis.StatsValid());
        QVERIFY(p.analysis.CurrentFileName().isEmpty());
    }

    void cancellingOpenKeepsThePagesButUnbindsTheFile() {
        ProgramUnderTest p;
        EnterComputedExample(p);
        const QString path = dir.filePath("bound.rgs");
        p.files.answers.enqueue(path);
        Trigger(p, "MenuSalvaNome");
        Trigger(p, "MenuApri"); // cancelled
        QCOMPARE(p.X(3)->text(), QStringLiteral("4"));
        QCOMPARE(p.window.PredictPage()->Lst_Storico()->count(), 1);
        QVERIFY(p.analysis.CurrentFileName().isEmpty());
    }

    void aFileSavedUnderADecimalCommaReadsBackUnderAPoint() {
        const QString path = dir.filePath("comma.rgs");
        QByteArray written;
        {
            ProgramUnderTest p(u',');
            EnterComputedExample(p);
            p.files.answers.enqueue(path);
            Trigger(p, "MenuSalvaNome");
            written = Contents(path);
            QVERIFY(written.contains("\r\nA=1,40000\r\n"));
        }
        ProgramUnderTest q(u'.');
        q.files.answers.enqueue(path);
        Trigger(q, "MenuApri");
        QVERIFY(q.analysis.Figures()[Figure::A] == ExactNumber(mpq_class(7, 5)));
        QVERIFY(q.analysis.Figures()[Figure::R] == ExactNumber(mpq_class(98994949, 100000000)));
        QCOMPARE(q.window.PredictPage()->Lst_Storico()->item(0)->text(),
                 QStringLiteral("X = 5,00000 / Y = 7,50000"));
        q.files.answers.enqueue(path);
        Trigger(q, "MenuSalva"); // bound by the opening: written silently
        QCOMPARE(q.messages.requests.size(), 0);
        // The figures are written with the point now; the history stays as it was typed.
        const qsizetype history = written.indexOf("[Computation]");
        QCOMPARE(Contents(path),
                 QByteArray(written.left(history)).replace(',', '.') + written.mid(history));
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
        p.files.answers.enqueue(path);
        Trigger(p, "MenuSalvaNome");
        const QByteArray old = Contents(path);
        if (fillDisk) {
            QFile filler(QDir(folder).filePath("filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(4096, 'f')) > 0) {
            }
        }
        // One prediction at least, each a line of about 32 bytes.
        const qsizetype added = std::max<qsizetype>(1, (size - old.size()) / 32);
        p.analysis.ReplaceHistory(p.analysis.History() +
                                  QStringList(added, QStringLiteral("X = 5.00000 / Y = 7.50000")));
        const rlim_t limit =
            fillDisk ? RLIM_INFINITY : rlim_t(DataFileBytes(p.analysis).size() / 2);

        p.files.answers.enqueue(path);
        p.messages.answers.enqueue(MessageAnswer::Yes);
        const qsizetype shownBefore = p.messages.requests.size();
        const int status = ExitStatusInChild(limit, [&] {
            p.window.Action(command)->trigger();
            const QList<ScriptedMessageBox::Request>& shown = p.messages.requests;
            return shown.size() == shownBefore + (command == "MenuSalva" ? 1 : 2) &&
                   shown.last().text == "Errore occorso durante la creazione del file " + path &&
                   shown.last().style == kErrorStyle;
        });
        QCOMPARE(Contents(path), old);
        QCOMPARE(QDir(folder).entryList({"full.rgs*"}, QDir::Files | QDir::Hidden),
                 QStringList{"full.rgs"});
        QVERIFY2(status == 0, "the error message was not the only answer to the command");
    }

    QTemporaryDir dir;
};

QTEST_MAIN(FileCommandsTest)
#include "test_file_commands.moc"
