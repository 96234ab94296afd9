// Qt's own texts in Italian under any locale: the buttons of the overwrite question and the file
// dialog's, as the real dialogs show them.
#include "platform/QtFileDialog.h"
#include "platform/QtMessageBox.h"
#include "windows/ToolkitTranslation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace qb;

namespace {

// Once the modal dialog is up, reads it and closes it.
void OnModalDialog(const std::function<void(QWidget*)>& readAndClose) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, readAndClose] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            poll->deleteLater();
            poll->stop();
            readAndClose(dialog);
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
        OnModalDialog([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            for (QAbstractButton* button : box->buttons()) {
                captions << button->text().remove(u'&');
            }
            box->button(QMessageBox::No)->click();
        });
        QtMessageBox messages;
        QCOMPARE(messages.Show(QStringLiteral("Sovrascrivere il file x?"), kQuestionStyle, {}),
                 MessageAnswer::No);
        captions.sort();
        QCOMPARE(captions, QStringList({"No", "Sì"}));
    }

    void saveDialogCancelsInItalian() {
        QString cancel;
        OnModalDialog([&](QWidget* dialog) {
            QPushButton* button =
                dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel);
            cancel = button->text().remove(u'&');
            button->click();
        });
        QtFileDialog files;
        FileDialogRequest request;
        request.kind = FileDialogRequest::Save;
        QVERIFY(!files.Show(request));
        QCOMPARE(cancel, QStringLiteral("Annulla"));
    }
};

QTEST_MAIN(ToolkitTextsTest)
#include "test_toolkit_texts.moc"
