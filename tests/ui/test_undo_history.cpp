// "Annulla" and "Ripeti" judged by the data file they leave: an undo leaves what the same change
// made back by hand leaves, a redo what the change itself left; the entries name the steps.
#include "ProgramUnderTest.h"

#include "pages/PredictionPage.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTemporaryDir>

using namespace qb;

namespace {

void Answer(ProgramUnderTest& p, const QString& path) {
    p.files.answers.clear();
    p.files.answers.enqueue(FileChoice{path});
}

void Key(int key, Qt::KeyboardModifiers mods) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), mods);
}

// One word an action: "X2=9" types 9 into Txt_X(2) and leaves it with Enter ("X2~9" stays),
// "box1" clicks Chk_Linea(1), "n2" chooses 2 rows; the others press the keys of their commands.
void Act(ProgramUnderTest& p, const QString& word, const QDir& dir) {
    constexpr auto ctrl = Qt::ControlModifier;
    if (word == "undo" || word == "redo" || word == "Redo") {
        Key(word == "undo"   ? Qt::Key_Z
            : word == "redo" ? Qt::Key_Y
                             : Qt::Key_Z,
            word == "Redo" ? ctrl | Qt::ShiftModifier : ctrl);
    } else if (word == "paste") {
        p.clipboard.text = "1\t2\n2\t3\n3\t5\n4\t7\n";
        Key(Qt::Key_V, ctrl | Qt::ShiftModifier);
    } else if (word == "new" || word == "open" || word == "save") {
        if (word == "open" && QFile::copy(QB_EXPECTED_RGS, dir.filePath("opened.rgs"))) {
            Answer(p, dir.filePath("opened.rgs"));
        }
        Key(word == "new" ? Qt::Key_N : Qt::Key_F12, word == "save" ? Qt::ShiftModifier : ctrl);
    } else if (word == "cancel") {
        p.ClickTab(MainWindow::Page::PredictionTab);
        QTest::mouseClick(p.window.PredictPage()->Cmd_Cancella(), Qt::LeftButton);
    } else if (word.startsWith("box")) {
        QTest::mouseClick(p.grid().Chk_Linea(word.mid(3).toInt()), Qt::LeftButton);
    } else if (word.startsWith(u'n')) {
        p.ChooseRowCount(word.mid(1).toInt());
    } else if (!word.isEmpty()) {
        EntryField* field =
            p.grid().Field(word[0] == u'X' ? Column::X : Column::Y, word[1].digitValue());
        p.TypeInto(field, word.mid(3));
        if (word[2] == u'=') {
            QTest::keyClick(field, Qt::Key_Return);
        }
    }
}

// The worked example with a prediction, saved as setup.rgs, then the words; the file saved last,
// by name (final.rgs when no file is bound) and contents.
QString Run(const QString& words, QString* entries = nullptr) {
    QTemporaryDir dir;
    ProgramUnderTest p;
    p.EnterWorkedExample();
    p.ClickTab(MainWindow::Page::PredictionTab);
    p.TypeInto(p.window.PredictPage()->Txt_X_Prev(), "2");
    QTest::keyClick(p.window.PredictPage()->Txt_X_Prev(), Qt::Key_Return);
    p.ClickTab(MainWindow::Page::DataTab);
    Answer(p, dir.filePath("setup.rgs"));
    for (const QString& word : (QStringLiteral("save ") + words + " save").split(u' ')) {
        Act(p, word, QDir(dir.path()));
        Answer(p, dir.filePath("final.rgs"));
    }
    if (entries) {
        *entries =
            p.window.Action("MenuAnnulla")->text() + u'|' + p.window.Action("MenuRipeti")->text();
    }
    QFile saved(p.analysis.CurrentFileName());
    return QFileInfo(saved).fileName() + (saved.open(QIODevice::ReadOnly) ? saved.readAll() : "");
}

} // namespace

class UndoHistoryTest : public QObject {
    Q_OBJECT
private slots:
    // Words | the same by hand | what "Annulla" and "Ripeti" name after the words, "*" the last
    // step before them.
    void undoAndRedo_data() {
        CaseTable({
            {"edit", "X2=9 undo|X2=9 X2=3|*|modifica di X(3)"},
            {"edit redone", "X2=9 undo redo|X2=9|modifica di X(3)|"},
            {"typing back to the field's text", "X2~9 undo|X2=9 X2=3|*|"},
            {"then the step before", "X1=7 X2~9 undo undo|X1=7 X2=9 X2=3 X1=2|*|modifica di X(2)"},
            {"box", "box1 undo|box1 box1|*|esclusione del Dato 2"},
            {"box redone", "box1 undo Redo|box1|esclusione del Dato 2|"},
            {"row count, texts emptied", "n2 undo|n2 n4 X2=3 Y2=5 X3=4 Y3=6|*|scelta di 2 misure"},
            {"row count redone", "n2 undo redo|n2|scelta di 2 misure|"},
            {"paste", "paste undo|paste Y3=6|*|Incolla coppie"},
            {"paste redone", "paste undo Redo|paste|Incolla coppie|"},
            {"new, history and file", "new undo||*|Nuovo"},
            {"new redone", "new undo redo|new|Nuovo|"},
            {"open", "open undo||*|Apri"},
            {"open redone", "open undo redo|open|Apri|"},
            {"prediction's history", "cancel undo||*|Cancella"},
            {"history cleared again", "cancel undo redo|cancel|Cancella|"},
            {"a save is no step", "X2=9 save undo|X2=9 save X2=3|*|modifica di X(3)"},
            {"the file bound before", "new save undo||*|Nuovo"},
        });
    }
    void undoAndRedo() {
        const QStringList c = CaseFields();
        QString entries;
        QCOMPARE(Run(c[0], &entries), Run(c[1]));
        const QString undone = c[2] == u'*' ? QStringLiteral("modifica di Y(4)") : c[2];
        QCOMPARE(entries, ("Annulla " + undone).trimmed() + u'|' + ("Ripeti " + c[3]).trimmed());
    }
};

static const bool kRegistered = RegisterGuiTest<UndoHistoryTest>();
#include "test_undo_history.moc"
