// Data in and out: pairs pasted from the clipboard, results and chart copied, report and chart
// exported to files, a data file dropped on the window.
#include "ProgramUnderTest.h"
#include "files/FileName.h"
#include "pages/ChartPage.h"
#include "pages/ChartView.h"
#include "pages/PredictionPage.h"
#include "platform/QtPastePreview.h"

#include <QAction>
#include <QCheckBox>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cstdio>
#include <sys/stat.h>

namespace qb {
namespace {

// What a file holds as a reader sees it, told by its first bytes: a PNG's size, resolution and
// the height of the line's cross-section amid the image; an SVG's circles (-1 if it does not
// parse) and the end of its first font list; a PDF's page count and first line.
QString Described(const QString& path) {
    QFile file(path);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.peek(8) : QByteArray();
    if (head.startsWith("\x89PNG")) {
        const QImage png(path);
        int line = 0;
        for (int y = 0; y < png.height(); ++y) {
            const QColor c = png.pixelColor(png.width() / 2, y);
            line += c.red() < 128 && c.green() > 192 && c.blue() > 192;
        }
        return QString::asprintf("PNG %dx%d %d dpi, line %d", png.width(), png.height(),
                                 qRound(png.dotsPerMeterX() * 0.0254), line);
    }
    if (head.startsWith("<?xml")) {
        QXmlStreamReader svg(&file);
        int circles = 0;
        QString font;
        while (!svg.atEnd()) {
            circles += svg.readNext() == QXmlStreamReader::StartElement && svg.name() == u"circle";
            if (font.isEmpty() && svg.attributes().hasAttribute(QStringLiteral("font-family"))) {
                font = svg.attributes().value(QStringLiteral("font-family")).toString();
            }
        }
        return QStringLiteral("SVG %1 circles, %2")
            .arg(svg.hasError() ? -1 : circles)
            .arg(font.section(QStringLiteral(", "), -2));
    }
    QProcess pdf; // pdftotext ends every page with a form feed
    pdf.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    pdf.waitForFinished();
    const QString text = QString::fromUtf8(pdf.readAll());
    return QString::fromLatin1(head.left(5)) +
           QStringLiteral("%1 page: %2").arg(text.count(u'\f')).arg(text.section(u'\n', 0, 0));
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
        QCOMPARE(shown[0].pairs[0].first + u' ' + shown[1].pairs[0].first, "1234 1.234");
        QCOMPARE(p.X(0)->text() + u' ' + p.Y(0)->text(), "1.234 2.500");
        QCOMPARE(p.analysis.RowCount(), 2);
        QCOMPARE(Shown(p.messages), QStringList());
    }

    // Each refusal (kind|line|count|cell) and reading (columns|mark) in the user's words.
    void pasteWordsStayTheProgramsOwn_data() { CaseTable(__FILE__, "paste_words.tsv"); }
    void pasteWordsStayTheProgramsOwn() {
        const QStringList f = CaseFields();
        if (f.size() == 3) {
            QCOMPARE(ReadingText(ColumnSeparator(f[0].toInt()), DecimalMark(f[1].toInt())), f[2]);
            return;
        }
        const RefusedPaste refused{PasteRefusal(f[0].toInt()), f[1].toInt(), f[2].toInt(), f[3]};
        QCOMPARE(NoticeMessage({.notice = Notice::PasteRefused, .paste = refused})->text, f[4]);
    }

    // Copies and the chart's export need something to copy; a failed export is told.
    void resultsAreCopiedOnlyWhileValid() {
        ProgramUnderTest p;
        QAction* copy = p.window.Action(QStringLiteral("MenuCopiaRisultati"));
        QVERIFY(!copy->isEnabled() && !p.window.Action("MenuEsportaGrafico")->isEnabled());
        p.files.answers.enqueue(FileChoice{QStringLiteral("/nonexistent-folder/r.pdf")});
        p.window.Action(QStringLiteral("MenuEsportaReport"))->trigger();
        QCOMPARE(Shown(p.messages).join(u'\n'),
                 "Impossibile creare il file /nonexistent-folder/r.pdf: la cartella non "
                 "esiste.|error|Quantorelle Brindel");
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::PredictionTab);
        p.TypeInto(p.window.PredictPage()->Txt_X_Prev(), QStringLiteral("2.5\r"));
        QTest::keyClick(&p.window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        // The history as columns of numbers that spreadsheets take whole.
        const QStringList lines = p.clipboard.text.split(u'\n');
        QCOMPARE(lines.mid(10, 2).join(u'|'),
                 "Coefficiente di correlazione r\t0.98994949|Livello di confidenza\t95 %");
        QCOMPARE(lines.mid(25, 3).join(u'|'),
                 "Elenco Dati Analizzati|X\tY\tLivello\tMedia di Y, estremo inferiore\tMedia "
                 "di Y, estremo superiore\tNuovo Y, estremo inferiore\tNuovo Y, estremo "
                 "superiore|2.50000\t4.00000\t95 %\t3.31969\t4.68031\t2.47878\t5.52122");
        QCOMPARE(lines[0], "Media di X\t2.50000");
        QVERIFY(p.clipboard.html.contains(QStringLiteral("<td>Termine noto b</td>")));
        QVERIFY(p.clipboard.html.contains(
            QStringLiteral("<tr><td align=\"right\">2.50000</td><td align=\"right\">4.00000</td>"
                           "<td align=\"right\">95 %</td>")));
        p.ClickTab(MainWindow::Page::DataTab);
        p.TypeInto(p.X(0), QStringLiteral("5"));
        QVERIFY(!copy->isEnabled());
    }

    // Name typed, filter chosen, file written and what a reader finds there, or the message.
    void exportsWriteTheirFiles_data() { CaseTable(__FILE__, "exports.tsv"); }
    void exportsWriteTheirFiles() {
        const QStringList f = CaseFields();
        QTemporaryDir dir;
        const QString written = dir.filePath(f[3]);
        QVERIFY(!written.contains(u"fifo") || mkfifo(QFile::encodeName(written), 0600) == 0);
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::ChartTab);
        p.files.answers.enqueue(FileChoice{dir.filePath(f[1]), f[2].toInt()});
        p.window.Action(f[0])->trigger();
        QCOMPARE(p.messages.requests.isEmpty()
                     ? Described(written)
                     : p.messages.requests.last().text.replace(dir.path(), QStringLiteral("<dir>")),
                 f[4]);
    }

    // Export and copy give the chart of the data as they are, or nothing until it is drawn.
    void theChartOnlyLeavesWhileItShowsTheData_data() {
        CaseTable({{"paste", "MenuIncollaCoppie"},
                   {"edit", "edit"},
                   {"open", "MenuApri"},
                   {"use box", "use box"},
                   {"new", "MenuNuovo"}});
    }
    void theChartOnlyLeavesWhileItShowsTheData() {
        const QStringList f = CaseFields();
        ProgramUnderTest p;
        p.EnterWorkedExample();
        p.ClickTab(MainWindow::Page::ChartTab);
        QAction* exportChart = p.window.Action(QStringLiteral("MenuEsportaGrafico"));
        QAction* copyChart = p.window.Action(QStringLiteral("MenuCopiaGrafico"));
        QVERIFY(exportChart->isEnabled() && copyChart->isEnabled());
        p.ClickTab(MainWindow::Page::DataTab);
        p.clipboard.text = QStringLiteral("1\t1\n2\t3\n4\t4\n");
        p.files.answers.enqueue(FileChoice{QStringLiteral(QB_EXPECTED_RGS)});
        if (f[0] == u"edit") {
            p.TypeInto(p.X(0), QStringLiteral("9"));
        } else if (f[0] == u"use box") {
            p.grid().Chk_Linea(1)->click();
        } else {
            p.window.Action(f[0])->trigger();
        }
        QVERIFY(!exportChart->isEnabled() && !copyChart->isEnabled() &&
                exportChart->toolTip().contains(QStringLiteral("«3. Analisi Grafica»")));
    }

    // Also under a name that is not UTF-8, as a file manager sends it: percent-encoded bytes.
    void aDroppedDataFileOpens() {
        QTemporaryDir dir;
        const QByteArray bytes = QFile::encodeName(dir.path()) + "/dati\xe9.RGS";
        QFile expected(QStringLiteral(QB_EXPECTED_RGS));
        QFile data;
        QVERIFY(expected.open(QIODevice::ReadOnly) &&
                data.open(std::fopen(bytes.constData(), "wb"), QIODevice::WriteOnly,
                          QFileDevice::AutoCloseHandle) &&
                data.write(expected.readAll()) > 0 && data.flush());
        ProgramUnderTest p;
        for (const QByteArray& path : {QFile::encodeName(dir.filePath("note.txt")), bytes}) {
            QMimeData mime;
            mime.setUrls({QUrl::fromEncoded("file://" + path.toPercentEncoding("/"))});
            QDragEnterEvent enter({10, 10}, Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(&p.window, &enter);
            QCOMPARE(enter.isAccepted(), path == bytes);
            QDropEvent drop({10, 10}, Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(&p.window, &drop);
        }
        QVERIFY(p.analysis.CurrentFileName() == FileNameFromBytes(bytes) &&
                p.analysis.RowCount() == 4);
    }
};

static const bool kRegistered = RegisterGuiTest<DataExchangeTest>();

} // namespace qb

#include "test_data_exchange.moc"
