// Data in and out: pairs pasted from the clipboard, results and chart copied, report and chart
// exported to files, a data file dropped on the window.
#include "ProgramUnderTest.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "pages/PredictionPage.h"

#include <QAction>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace qb {
namespace {

// What a file holds as a reader sees it: a PNG's size, an SVG's circles (-1 if it does not
// parse), a PDF's page count and first line.
QString Described(const QString& path) {
    if (path.endsWith(u".png")) {
        return QStringLiteral("%1x%2").arg(QImage(path).width()).arg(QImage(path).height());
    }
    QFile file(path);
    if (path.endsWith(u".svg") && file.open(QIODevice::ReadOnly)) {
        QXmlStreamReader svg(&file);
        int circles = 0;
        while (!svg.atEnd()) {
            circles += svg.readNext() == QXmlStreamReader::StartElement && svg.name() == u"circle";
        }
        return QString::number(svg.hasError() ? -1 : circles) + QStringLiteral(" circles");
    }
    QProcess pdf; // pdftotext ends every page with a form feed
    pdf.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    pdf.waitForFinished();
    const QString text = QString::fromUtf8(pdf.readAll());
    return QStringLiteral("%1 page: %2").arg(text.count(u'\f')).arg(text.section(u'\n', 0, 0));
}

} // namespace

class DataExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void pastedPairsFillTheGridAsAnOpenedFile() {
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.clipboard.text = QStringLiteral("X;Y\r\n1,5;-2\r\n\r\n3;4e2\r\n7;8\r\n");
        p.window.Action(QStringLiteral("MenuIncollaCoppie"))->trigger();
        QCOMPARE(p.X(0)->text() + u' ' + p.Y(0)->text() + u' ' + p.Y(1)->text(), "1.5 -2 400");
        QVERIFY(p.analysis.RowCount() == 3 && p.analysis.Row(2).used && !p.analysis.StatsValid());
        p.clipboard.text = QString(QStringLiteral("1 2\n")).repeated(34);
        p.window.Action(QStringLiteral("MenuIncollaCoppie"))->trigger();
        QCOMPARE(Shown(p.messages).last(),
                 "Negli appunti ci sono più di 31 righe: si incollano al massimo 30 coppie e una "
                 "riga d'intestazione.|error|Quantorelle Brindel");
        QCOMPARE(p.analysis.RowCount(), 3);
        QVERIFY(p.pastePreview.shown.isEmpty());
    }

    // Points that may group thousands: the user picks the reading, or cancels and keeps the grid.
    void anUnsettledPasteIsPreviewed() {
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.clipboard.text = QStringLiteral("1.234\t2.500\n3\t4\n");
        p.window.Action(QStringLiteral("MenuIncollaCoppie"))->trigger();
        p.pastePreview.answers.enqueue(1);
        p.window.Action(QStringLiteral("MenuIncollaCoppie"))->trigger();
        QCOMPARE(p.pastePreview.shown.size(), 2);
        const QList<PasteCandidate>& shown = p.pastePreview.shown.first();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].assumption, "Colonne separate da tabulazioni, virgola decimale: 1.234 = "
                                      "milleduecentotrentaquattro");
        QCOMPARE(shown[0].pairs[0].first + u' ' + shown[1].pairs[0].first, "1234 1.234");
        QCOMPARE(p.X(0)->text() + u' ' + p.Y(0)->text(), "1.234 2.500");
        QCOMPARE(p.analysis.RowCount(), 2);
        QCOMPARE(Shown(p.messages), QStringList());
    }

    // Copies and the chart's export need something to copy; a failed export is told.
    void resultsAreCopiedOnlyWhileValid() {
        ProgramUnderTest p;
        QAction* copy = p.window.Action(QStringLiteral("MenuCopiaRisultati"));
        QVERIFY(!copy->isEnabled() && !p.window.Action("MenuEsportaGrafico")->isEnabled());
        p.files.answers.enqueue(QStringLiteral("/nonexistent-folder/r.pdf"));
        p.window.Action(QStringLiteral("MenuEsportaReport"))->trigger();
        QCOMPARE(Shown(p.messages).join(u'\n'),
                 "Errore occorso durante la creazione del file "
                 "/nonexistent-folder/r.pdf|error|Quantorelle Brindel");
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::PredictionTab);
        p.TypeInto(p.window.PredictPage()->Txt_X_Prev(), QStringLiteral("2.5\r"));
        QTest::keyClick(&p.window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        // The history as two columns of numbers that spreadsheets take whole.
        const QStringList lines = p.clipboard.text.split(u'\n');
        QCOMPARE(lines.mid(10).join(u'|'),
                 "Coefficiente di correlazione r\t0.98994949||Elenco Dati "
                 "Analizzati|X\tY|2.50000\t4.00000|");
        QCOMPARE(lines[0], "Media di X\t2.50000");
        QVERIFY(p.clipboard.html.contains(QStringLiteral("<td>Termine noto b</td>")));
        QVERIFY(p.clipboard.html.contains(
            QStringLiteral("<tr><th>X</th><th>Y</th></tr><tr><td align=\"right\">2.50000</td>"
                           "<td align=\"right\">4.00000</td></tr></table>")));
        p.ClickTab(MainWindow::Page::DataTab);
        p.TypeInto(p.X(0), QStringLiteral("5"));
        QVERIFY(!copy->isEnabled());
    }

    void exportsWriteTheirFiles_data() {
        CaseTable({{"report", "MenuEsportaReport|report|report.pdf|1 page: ANALISI STATISTICA"},
                   {"chart as PNG", "MenuEsportaGrafico|c.png|c.png|1514x962"},
                   {"chart as SVG", "MenuEsportaGrafico|c.svg|c.svg|4 circles"},
                   {"chart as PDF", "MenuEsportaGrafico|c.pdf|c.pdf|1 page: Serie Y"}});
    }
    void exportsWriteTheirFiles() {
        const QStringList f = CaseFields();
        QTemporaryDir dir;
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::ChartTab);
        p.files.answers.enqueue(dir.filePath(f[1]));
        p.window.Action(f[0])->trigger();
        QCOMPARE(Shown(p.messages), QStringList());
        QCOMPARE(Described(dir.filePath(f[2])), f[3]);
    }

    void aDroppedDataFileOpens() {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("dati.RGS"));
        QFile::copy(QStringLiteral(QB_EXPECTED_RGS), data);
        ProgramUnderTest p;
        for (const QString& path : {dir.filePath(QStringLiteral("note.txt")), data}) {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter({10, 10}, Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(&p.window, &enter);
            QCOMPARE(enter.isAccepted(), path == data);
            QDropEvent drop({10, 10}, Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(&p.window, &drop);
        }
        QVERIFY(p.analysis.CurrentFileName() == data && p.analysis.RowCount() == 4);
    }
};

static const bool kRegistered = RegisterGuiTest<DataExchangeTest>();

} // namespace qb

#include "test_data_exchange.moc"
