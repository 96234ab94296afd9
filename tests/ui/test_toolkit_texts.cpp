// Qt's own texts in Italian under any locale (this executable runs under LANG=C): the buttons of
// the overwrite question and the file dialog's, as the real dialogs show them; Shift as "Maiusc".
#include "ProgramUnderTest.h"
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBox.h"
#include "windows/ToolkitTranslation.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>

using namespace qb;

namespace {

// Once the modal dialog is up, reads its button captions without '&' and clicks `answer`.
void ReadAndAnswer(QStringList& captions, QDialogButtonBox::StandardButton answer) {
    QTimer::singleShot(0, [&captions, answer] {
        auto* box = QApplication::activeModalWidget()->findChild<QDialogButtonBox*>();
        for (QAbstractButton* button : box->buttons()) {
            captions << button->text().remove(u'&');
        }
        box->button(answer)->click();
    });
}

} // namespace

class ToolkitTextsTest : public QObject {
    Q_OBJECT
private slots:
    void dialogsAnswerInItalian() {
        InstallItalianToolkitTexts(*qApp);
        QStringList question, save;
        ReadAndAnswer(question, QDialogButtonBox::No);
        QCOMPARE(QtMessageBox().Show("Sovrascrivere il file x?", kQuestionStyle, {}),
                 MessageAnswer::No);
        ReadAndAnswer(save, QDialogButtonBox::Cancel);
        QVERIFY(!QtFileDialog().Show({FileDialogRequest::Kind::Save, {}, {}}));
        question.sort();
        QCOMPARE(question, QStringList({"No", "Sì"}));
        QVERIFY2(save.contains("Annulla"), qPrintable(save.join(u' ')));
        QCOMPARE(QKeySequence("Ctrl+Shift+F12").toString(QKeySequence::NativeText),
                 "Ctrl+Maiusc+F12");
    }
};

static const bool kRegistered = RegisterGuiTest<ToolkitTextsTest>();
#include "test_toolkit_texts.moc"
