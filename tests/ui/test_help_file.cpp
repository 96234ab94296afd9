// The help file shipped beside the executable: the viewer shows it, it covers every page and
// command of the main window, and its links lead somewhere.
#include "ProgramUnderTest.h"
#include "platform/QtHelpViewer.h"

#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace qb;

class HelpFileTest : public QObject {
    Q_OBJECT
    const QString shipped = QStringLiteral(QB_BUILT_HELP_FILE);

private slots:
    void theViewerShowsTheShippedFile() {
        QtHelpViewer viewer;
        QVERIFY(!viewer.ShowContents(shipped + QStringLiteral(".missing")));
        QVERIFY(viewer.ShowContents(shipped));
        QVERIFY(viewer.Window()->isVisible());
        QCOMPARE(viewer.Window()->windowTitle(), QStringLiteral("Guida di Quantorelle Brindel"));
        QVERIFY(viewer.Window()->toPlainText().contains(QStringLiteral("Indice")));
    }

    // Every tab and command caption is in its text; every link names an anchor.
    void itDescribesEveryPageAndCommandAndItsLinksLeadSomewhere() {
        QFile file(shipped);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QTextBrowser browser;
        browser.setHtml(html);
        ProgramUnderTest p;
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
            QVERIFY2(browser.toPlainText().contains(caption), qPrintable(caption));
        }
        int links = 0;
        for (const auto& link : QRegularExpression("href=\"#([^\"]+)\"").globalMatch(html)) {
            ++links;
            QVERIFY2(html.contains("name=\"" + link.captured(1) + '"'),
                     qPrintable(link.captured(1)));
        }
        QVERIFY(links >= 10);
    }
};

static const bool kRegistered = RegisterGuiTest<HelpFileTest>();
#include "test_help_file.moc"
