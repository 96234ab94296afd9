// Under a dark palette every text stays readable on the ground it is actually drawn on: the
// window is grabbed as shown and each text's strongest pixel measured against its ground.
#include "ProgramUnderTest.h"
#include "pages/FixedGround.h"
#include "platform/QtHelpViewer.h"

#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QTextBlock>

using namespace qb;

class DarkPaletteTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setPalette(QPalette(QColor(53, 53, 53))); }
    void cleanupTestCase() { QApplication::setPalette(QPalette()); }

    // The page, and the control's name or the label's text; "help" is the help's first heading.
    void textIsReadable_data() {
        CaseTable({{"entry field", "0|Txt_X_1"},
                   {"heading", "1|Media"},
                   {"figure", "1|Lab_Ris_10"},
                   {"uncertainty heading", "4|Valore p"},
                   {"confidence level", "4|Cmb_Livello"},
                   {"bands check box", "4|Chk_Bande"},
                   {"help", "help|"}});
    }
    void textIsReadable() {
        const QStringList f = CaseFields();
        QtHelpViewer help;
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page(f[0].toInt()));
        p.window.SSTab()->tabBar()->setFocus(); // no selection colours in a field
        QWidget* w = p.window.findChild<QWidget*>(f[1]);
        for (QLabel* label : p.window.findChildren<QLabel*>()) {
            w = w ? w : (label->text() == f[1] ? label : nullptr);
        }
        QVERIFY(w);
        QImage shot = p.window.grab().toImage();
        QRect area = QRect(w->mapTo(&p.window, QPoint()), w->size()).adjusted(3, 3, -3, -3);
        if (f[0] == u"help") {
            QVERIFY(help.ShowContents(QStringLiteral(QB_BUILT_HELP_FILE)));
            const QTextDocument& doc = *help.Browser()->document();
            shot = help.Browser()->viewport()->grab().toImage();
            area = doc.documentLayout()->blockBoundingRect(doc.firstBlock()).toRect();
        }
        double contrast = 1; // of the strongest pixel with the ground, the far corner's colour
        for (int i = 0; i < area.width() * area.height(); ++i) {
            const QPoint at = area.topLeft() + QPoint(i % area.width(), i / area.width());
            contrast =
                std::max(contrast, ContrastRatio(shot.pixel(at), shot.pixel(area.bottomRight())));
        }
        QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
    }
};

static const bool kRegistered = RegisterGuiTest<DarkPaletteTest>();
#include "test_dark_palette.moc"
