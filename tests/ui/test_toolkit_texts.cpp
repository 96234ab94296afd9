// Qt's own texts in Italian under any locale (this executable runs under LANG=C): the buttons of
// the overwrite question and the file dialog's, as the real dialogs show them.
#include "ProgramUnderTest.h"
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBox.h"
#include "windows/ToolkitTranslation.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace qb;

namespace {

// Once the modal dialog is up, reads its button captions without '&' and clicks `answer`.
void ReadAndAnswer(QStringList& captions, QDialogButtonBox::StandardButton answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &captions, answer] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            auto* box = dialog->findChild<QDialogButtonBox*>();
            for (QAbstractButton* button : box->buttons()) {
                captions << button->text().remove(u'&');
            }
            box->button(answer)->click();
        }
    });
    poll->start(10);
}

} // namespace

class ToolkitTextsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(InstallItalianToolkitTexts(*qApp)); }

    void overwriteQuestionAnswersSiAndNo() {
        QStringList captions;
        ReadAndAnswer(captions, QDialogButtonBox::No);
        QtMessageBox messages;
        QCOMPARE(messages.Show(QStringLiteral("Sovrascrivere il file x?"), kQuestionStyle, {}),
                 MessageAnswer::No);
        captions.sort();
        QCOMPARE(captions, QStringList({"No", "Sì"}));
    }

    void saveDialogCancelsInItalian() {
        QStringList captions;
        ReadAndAnswer(captions, QDialogButtonBox::Cancel);
        QtFileDialog files;
        QVERIFY(!files.Show({FileDialogRequest::Kind::Save, {}, {}}));
        QVERIFY2(captions.contains(QStringLiteral("Annulla")), qPrintable(captions.join(u' ')));
    }
};

static const bool kRegistered = RegisterGuiTest<ToolkitTextsTest>();
#include "test_toolkit_texts.moc"
