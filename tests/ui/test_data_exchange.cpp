// Data in and out: pairs pasted from the clipboard, results and chart copied, report and chart
// exported to files, a data file dropped on the window.
#include "ProgramUnderTest.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"

#include <QAction>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace qb {

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int SvgCircles(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader svg(&file);
    int circles = 0;
    while (!svg.atEnd()) {
        circles += svg.readNext() == QXmlStreamReader::StartElement && svg.name() == u"circle";
    }
    return svg.hasError() ? -1 : circles;
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
        QCOMPARE(p.analysis.RowCount(), 3);
        QCOMPARE(p.X(0)->text() + u' ' + p.Y(0)->text(), QStringLiteral("1.5 -2"));
        QCOMPARE(p.Y(1)->text(), QStringLiteral("4E2"));
        QVERIFY(p.analysis.Row(2).used && !p.analysis.StatsValid());

        p.clipboard.text = QString(QStringLiteral("1 2\n")).repeated(34);
        p.window.Action(QStringLiteral("MenuIncollaCoppie"))->trigger();
        QCOMPARE(Shown(p.messages).last(),
                 QStringLiteral("Negli appunti ci sono 34 coppie: al massimo 30.|error|"
                                "Quantorelle Brindel"));
        QCOMPARE(p.analysis.RowCount(), 3);
    }

    void resultsAreCopiedOnlyWhileValid() {
        ProgramUnderTest p;
        QAction* copy = p.window.Action(QStringLiteral("MenuCopiaRisultati"));
        QVERIFY(!copy->isEnabled());
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::StatisticsTab);
        QVERIFY(copy->isEnabled());
        QTest::keyClick(&p.window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QStringList lines = p.clipboard.text.split(u'\n');
        QCOMPARE(lines.first(), QStringLiteral("Media di X\t2.50000"));
        QCOMPARE(lines[10], QStringLiteral("Coefficiente di correlazione r\t0.98994949"));
        QVERIFY(p.clipboard.html.contains(QStringLiteral("<td>Termine noto b</td>")));
        p.ClickTab(MainWindow::DataTab);
        p.TypeInto(p.X(0), QStringLiteral("5"));
        QVERIFY(!copy->isEnabled());
    }

    void exportsWriteTheirFiles_data() {
        CaseTable({{"report", "MenuEsportaReport|report|report.pdf"},
                   {"chart as PNG", "MenuEsportaGrafico|chart.png|chart.png"},
                   {"chart as SVG", "MenuEsportaGrafico|chart.svg|chart.svg"},
                   {"chart as PDF", "MenuEsportaGrafico|chart.pdf|chart.pdf"}});
    }
    void exportsWriteTheirFiles() {
        const QStringList f = CaseFields();
        QTemporaryDir dir;
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::ChartTab);
        p.files.answers.enqueue(dir.filePath(f[1]));
        p.window.Action(f[0])->trigger();
        const QString written = dir.filePath(f[2]);
        QVERIFY(p.messages.requests.isEmpty());
        const QSize chart = p.window.PlotPage()->picFoglio()->size();
        if (written.endsWith(u".png")) {
            QCOMPARE(QImage(written).size(), chart * 2);
        } else if (written.endsWith(u".svg")) {
            QCOMPARE(SvgCircles(written), 4);
        } else {
            QVERIFY(Run(QStringLiteral("pdfinfo"), {written})
                        .contains(QRegularExpression("Pages: +1\n")));
            QVERIFY(Run(QStringLiteral("pdftotext"), {written, QStringLiteral("-")})
                        .contains(f[1] == u"report" ? QStringLiteral("ANALISI STATISTICA")
                                                    : QStringLiteral("Serie X")));
        }
    }

    void aFailedExportIsReportedAndTheChartNeedsAChart() {
        ProgramUnderTest p;
        QVERIFY(!p.window.Action(QStringLiteral("MenuEsportaGrafico"))->isEnabled());
        p.files.answers.enqueue(QStringLiteral("/nonexistent-folder/report.pdf"));
        p.window.Action(QStringLiteral("MenuEsportaReport"))->trigger();
        QCOMPARE(Shown(p.messages),
                 QStringList{"Errore occorso durante la creazione del file "
                             "/nonexistent-folder/report.pdf|error|Quantorelle Brindel"});
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
        QCOMPARE(p.analysis.CurrentFileName(), data);
        QCOMPARE(p.analysis.RowCount(), 4);
    }
};

static const bool kRegistered = RegisterGuiTest<DataExchangeTest>();

} // namespace qb

#include "test_data_exchange.moc"
