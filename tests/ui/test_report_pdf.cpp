// The report as printed: written to a PDF through the printer's layout and read back with
// poppler's pdftohtml, to see the pages, fonts, positions and texts a reader of the paper gets.
#include "platform/QtReportPrinter.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace qb {
namespace {

constexpr double kA4Height = 842;                 // points, as poppler rounds them
constexpr double kColumn = 10 * 904.0 / 2048;     // Arial's average width at 10 points
constexpr double kBoldColumn = 18 * 983.0 / 2048; // and bold at 18 points
constexpr double kTolerance = 1.5;                // poppler rounds positions to whole points

struct PdfText {
    int page;
    double top, left;
    int size;
    bool bold;
    QString text;
};

// Every text run of the PDF, in reading order, page by page.
QList<PdfText> Print(const AnalysisSnapshot& in) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    PdfReportPrinter(pdf).Print(ReportLines(in));
    QProcess tool;
    tool.start("pdftohtml", {"-xml", "-i", "-stdout", "-zoom", "1", pdf});
    tool.waitForFinished();
    QXmlStreamReader xml(tool.readAllStandardOutput());
    QList<PdfText> texts;
    QMap<int, int> sizes;
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto number = [&](const char* name) {
            return xml.attributes().value(QLatin1String(name)).toDouble();
        };
        if (xml.name() == u"page") {
            ++page;
        } else if (xml.name() == u"fontspec") {
            sizes[int(number("id"))] = int(number("size"));
        } else if (xml.name() == u"text") {
            PdfText t{page, number("top"), number("left"), sizes[int(number("font"))], false, {}};
            while (!(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == u"text")) {
                t.bold = t.bold || (xml.isStartElement() && xml.name() == u"b");
                t.text += xml.isCharacters() ? xml.text().toString() : QString();
            }
            texts.append(t);
        }
    }
    return texts;
}

qsizetype IndexOf(const QList<PdfText>& texts, const QString& start) {
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (texts[i].text.startsWith(start)) {
            return i;
        }
    }
    ADD_FAILURE() << start.toStdString() << " not printed";
    return 0;
}
PdfText Find(const QList<PdfText>& texts, const QString& start) {
    return texts.value(IndexOf(texts, start));
}

AnalysisSnapshot Fresh() {
    AnalysisSnapshot in;
    in.rows[0] = in.rows[1] = DataRow{"", "", true, true};
    return in;
}

class ReportPdf : public ::testing::Test {
    void SetUp() override {
        if (QStandardPaths::findExecutable("pdftohtml").isEmpty()) {
            GTEST_SKIP() << "install poppler-utils to read the PDF back";
        }
    }
};

TEST_F(ReportPdf, FontsAndTabColumnsAsTheLinesSay) {
    AnalysisSnapshot in = Fresh();
    in.figures[Figure::A] = mpq_class(9);
    in.figures[Figure::X] = mpq_class(1);
    in.statsValid = true;
    const QList<PdfText> texts = Print(in);
    const PdfText title = Find(texts, "ANALISI STATISTICA");
    const PdfText heading = Find(texts, "2. DATI STATISTICI");
    const PdfText col10 = Find(texts, "01 = ");
    const PdfText col50 = Find(texts, "11 = ");
    EXPECT_TRUE(title.size == 18 && title.bold && heading.size == 10 && heading.bold);
    EXPECT_TRUE(col10.size == 10 && !col10.bold && col50.top == col10.top);
    EXPECT_NEAR(col50.left - col10.left, 40 * kColumn, kTolerance);
    EXPECT_NEAR(Find(texts, "21 = ").left - col10.left, 80 * kColumn, kTolerance);
    // Column 1 is the left margin, for the 18-point bold title too.
    const double margin = col10.left - 9 * kColumn;
    EXPECT_NEAR(title.left, margin + 23 * kBoldColumn, kTolerance);
    EXPECT_GT(margin, 28); // at least 10 mm of paper
    EXPECT_GT(Find(texts, "a = 9.00000").top, heading.top);
}

// A piece that reaches past the next column moves the rest of the line down; one past the right
// margin goes on at the left margin.
TEST_F(ReportPdf, LongPiecesWrap) {
    AnalysisSnapshot in = Fresh();
    in.rows[0].x = in.rows[0].y = "-123456789012345.5";
    in.fileName = "/home/utente/" + QString("misure_di_laboratorio/").repeated(8) + "a.rgs";
    const QList<PdfText> texts = Print(in);
    const PdfText first = Find(texts, "01 = -123456789012345.50000 / -123456789012345.50000");
    const PdfText moved = Find(texts, "11 = ");
    EXPECT_GT(moved.top, first.top);
    EXPECT_NEAR(moved.left, Find(texts, "12 = ").left, kTolerance);
    EXPECT_EQ(Find(texts, "21 = ").top, moved.top);
    const qsizetype file = IndexOf(texts, "File: ");
    EXPECT_EQ(texts[file].text + texts[file + 1].text, "File: " + in.fileName);
    EXPECT_GT(texts[file + 1].top, texts[file].top);
    EXPECT_NEAR(texts[file + 1].left, Find(texts, "01 = ").left - 9 * kColumn, kTolerance);
}

TEST_F(ReportPdf, ALongHistoryGoesOnOnNewPages) {
    AnalysisSnapshot in = Fresh();
    in.figures[Figure::X] = mpq_class(1);
    in.statsValid = true;
    for (int i = 1; i <= 100; ++i) {
        in.history << QString("item %1").arg(i);
    }
    const QList<PdfText> texts = Print(in);
    PdfText previous = Find(texts, "01: item 1");
    for (int i = 2; i <= 100; ++i) {
        const PdfText t = Find(texts, QString("%1: item %2").arg(i, 2, 10, QChar(u'0')).arg(i));
        if (t.page == previous.page) {
            EXPECT_GT(t.top, previous.top) << i;
        } else { // a full page first, the next one from its top
            EXPECT_EQ(t.page, previous.page + 1);
            EXPECT_GT(previous.top, kA4Height - 100) << i;
            EXPECT_LT(t.top, 100) << i;
        }
        EXPECT_LT(t.top, kA4Height - 40) << i;
        previous = t;
    }
    EXPECT_GE(previous.page, 2);
}

} // namespace
} // namespace qb

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
