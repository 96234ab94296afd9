// The help file shipped beside the executable: the viewer shows it, it covers every page and
// command of the main window, and its links lead somewhere.
#include "ProgramUnderTest.h"
#include "platform/QtHelpViewer.h"

#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>

using namespace qb;

namespace {

const QString kShippedHelp = QStringLiteral(QB_BUILT_HELP_FILE);

QString ShippedHtml() {
    QFile file(kShippedHelp);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QSet<QString> Captured(const QString& html, const QString& pattern) {
    QSet<QString> found;
    for (const QRegularExpressionMatch& m : QRegularExpression(pattern).globalMatch(html)) {
        found.insert(m.captured(1));
    }
    return found;
}

} // namespace

class HelpFileTest : public QObject {
    Q_OBJECT
private slots:
    void theViewerShowsTheShippedFile() {
        QtHelpViewer viewer;
        QVERIFY(viewer.ShowContents(kShippedHelp));
        QVERIFY(viewer.Window()->isVisible());
        QCOMPARE(viewer.Window()->windowTitle(), QStringLiteral("Guida di Quantorelle Brindel"));
        QVERIFY(viewer.Window()->toPlainText().contains(QStringLiteral("Indice")));
    }

    void itDescribesEveryPageAndCommand() {
        ProgramUnderTest p;
        const QString text = [] {
            QTextBrowser browser;
            browser.setHtml(ShippedHtml());
            return browser.toPlainText();
        }();
        QStringList captions;
        for (int i = 0; i < p.window.SSTab()->count(); ++i) {
            captions << p.window.SSTab()->tabText(i);
        }
        for (QAction* a : p.window.findChildren<QAction*>()) {
            if (!a->isSeparator() && !a->menu() && !a->text().isEmpty()) {
                captions << a->text();
            }
        }
        QVERIFY(captions.size() >= 12);
        for (const QString& caption : captions) {
            QVERIFY2(text.contains(caption), qPrintable(caption));
        }
    }

    void everyLinkLeadsToAnAnchor() {
        const QString html = ShippedHtml();
        const QSet<QString> links = Captured(html, QStringLiteral("href=\"#([^\"]+)\""));
        const QSet<QString> anchors = Captured(html, QStringLiteral("name=\"([^\"]+)\""));
        QVERIFY(links.size() >= 10);
        for (const QString& link : links) {
            QVERIFY2(anchors.contains(link), qPrintable(link));
        }
    }
};

QTEST_MAIN(HelpFileTest)
#include "test_help_file.moc"
