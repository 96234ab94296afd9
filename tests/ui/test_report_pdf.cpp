// The report as printed: written to a PDF through the printer's layout and read back with
// poppler's tools, to see the pages, fonts, positions and texts a reader of the paper gets.
#include "platform/QtReportPrinter.h"
#include "report/ReportLines.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <optional>

namespace qb {
namespace {

constexpr double kA4Width = 595;  // points, as poppler rounds them
constexpr double kA4Height = 842; // points
// Arial's average character widths, in units of its 2048-unit em: what a tab column spans.
constexpr double kArialAverage = 904.0 / 2048;
constexpr double kArialBoldAverage = 983.0 / 2048;
constexpr double kPositionTolerance = 1.5; // poppler rounds positions to whole points

struct PdfText {
    int page = 0;
    double top = 0;
    double left = 0;
    double height = 0;
    int size = 0;
    bool bold = false;
    QString text;
};

struct PdfDocument {
    QList<QSizeF> pages;
    QList<PdfText> texts; // in reading order, page by page
    QMap<int, int> fontSizes;

    std::optional<PdfText> Find(const QString& start) const {
        for (const PdfText& t : texts) {
            if (t.text.startsWith(start)) {
                return t;
            }
        }
        return std::nullopt;
    }
    QStringList Texts() const {
        QStringList all;
        for (const PdfText& t : texts) {
            all.append(t.text);
        }
        return all;
    }
};

std::optional<QString> RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

double Attribute(const QXmlStreamAttributes& a, const char* name) {
    return a.value(QLatin1String(name)).toDouble();
}

PdfText ReadText(QXmlStreamReader& xml, int page, const QMap<int, int>& sizes) {
    const auto a = xml.attributes();
    PdfText t{page,
              Attribute(a, "top"),
              Attribute(a, "left"),
              Attribute(a, "height"),
              sizes.value(int(Attribute(a, "font"))),
              false,
              {}};
    while (!(xml.readNext() == QXmlStreamReader::EndElement && xml.name() == u"text") &&
           !xml.atEnd()) {
        t.bold = t.bold || (xml.isStartElement() && xml.name() == u"b");
        if (xml.isCharacters()) {
            t.text += xml.text();
        }
    }
    return t;
}

// pdftohtml's XML: pages with their size, font specs, and text runs with positions in points.
PdfDocument ParsePdfXml(const QString& xmlText) {
    PdfDocument doc;
    QXmlStreamReader xml(xmlText);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto a = xml.attributes();
        if (xml.name() == u"page") {
            doc.pages.append({Attribute(a, "width"), Attribute(a, "height")});
        } else if (xml.name() == u"fontspec") {
            doc.fontSizes[int(Attribute(a, "id"))] = int(Attribute(a, "size"));
        } else if (xml.name() == u"text") {
            doc.texts.append(ReadText(xml, int(doc.pages.size()), doc.fontSizes));
        }
    }
    return doc;
}

// Fresh data: two active, checked, empty rows and all figures 0.
ReportInputs FreshInputs() {
    ReportInputs in;
    in.rows[0].active = in.rows[0].used = in.rows[1].active = in.rows[1].used = true;
    return in;
}

ReportInputs ComputedInputs(int historyItems) {
    ReportInputs in = FreshInputs();
    in.rows[0].x = "1";
    in.rows[0].y = "2";
    in.rows[1].x = "3";
    in.rows[1].y = "5";
    for (int f = 0; f < kFigureCount; ++f) {
        in.statistics[Figure(f)] = mpq_class(f + 1);
    }
    in.statsValid = true;
    in.currentFileName = "prova.rgs";
    for (int i = 1; i <= historyItems; ++i) {
        in.history.append(QString("X = %1.00000 / Y = 2.00000").arg(i));
    }
    return in;
}

class ReportPdf : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"pdftohtml", "pdffonts"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty()) {
                GTEST_SKIP() << tool << " not found: install poppler-utils to check the PDF";
            }
        }
        ASSERT_TRUE(dir.isValid());
    }

    QString Print(const ReportInputs& in) {
        const QString path = dir.filePath("report.pdf");
        PdfReportPrinter(path).Print(ReportLines(in));
        return path;
    }

    PdfDocument Read(const QString& pdf) {
        const auto xml = RunTool("pdftohtml", {"-xml", "-i", "-stdout", "-zoom", "1", pdf});
        return xml ? ParsePdfXml(*xml) : PdfDocument{};
    }

    QTemporaryDir dir;
};

TEST_F(ReportPdf, A4PagesWithArialsMetricTwinEmbedded) {
    const QString pdf = Print(ComputedInputs(1));
    const PdfDocument doc = Read(pdf);
    ASSERT_EQ(doc.pages.size(), 1);
    EXPECT_EQ(doc.pages[0], QSizeF(kA4Width, kA4Height));

    const auto fonts = RunTool("pdffonts", {pdf});
    ASSERT_TRUE(fonts);
    // name, type, encoding, then the yes/no columns emb, sub, uni.
    const QRegularExpression row(
        R"(^(?:[A-Z]{6}\+)?(\S+)\s.*\s(yes|no)\s+(?:yes|no)\s+(?:yes|no)\s)",
        QRegularExpression::MultilineOption);
    QMap<QString, QString> embedded;
    for (auto it = row.globalMatch(*fonts); it.hasNext();) {
        const auto m = it.next();
        embedded[m.captured(1)] = m.captured(2);
    }
    EXPECT_EQ(embedded.value("LiberationSans"), "yes") << fonts->toStdString();
    EXPECT_EQ(embedded.value("LiberationSans-Bold"), "yes") << fonts->toStdString();
    EXPECT_EQ(embedded.size(), 2) << fonts->toStdString();
}

TEST_F(ReportPdf, HeadingsInOrderInTheirFonts) {
    const PdfDocument doc = Read(Print(ComputedInputs(3)));
    struct Expected {
        const char* text;
        int size;
        bool bold;
    };
    const Expected order[] = {{"ANALISI STATISTICA", 18, true},
                              {"File: prova.rgs", 10, false},
                              {"1. DATI INSERITI (X / Y)", 10, true},
                              {"01 = 1.00000 / 2.00000", 10, false},
                              {"2. DATI STATISTICI", 10, true},
                              {"Media X =  1.00000", 10, false},
                              {"3. COEFFICIENTI RETTA DI QUANTORELLE (Y = aX + b)", 10, true},
                              {"a = 9.00000", 10, false},
                              {"4. DATI CALCOLATI", 10, true},
                              {"03: X = 3.00000 / Y = 2.00000", 10, false}};
    double previousTop = 0;
    for (const Expected& e : order) {
        const auto t = doc.Find(e.text);
        ASSERT_TRUE(t) << e.text << " missing from " << doc.Texts().join(" | ").toStdString();
        EXPECT_EQ(t->text, e.text);
        EXPECT_EQ(t->size, e.size) << e.text;
        EXPECT_EQ(t->bold, e.bold) << e.text;
        EXPECT_GT(t->top, previousTop) << e.text;
        previousTop = t->top;
    }
}

TEST_F(ReportPdf, FreshDataPrintsThirtyEmptyCellsAndNothingAfter) {
    const PdfDocument doc = Read(Print(FreshInputs()));
    ASSERT_EQ(doc.pages.size(), 1);
    for (int row = 1; row <= 30; ++row) {
        const QString cell = QString("%1 = ").arg(row, 2, 10, QChar(u'0'));
        EXPECT_TRUE(doc.Texts().contains(cell)) << cell.toStdString();
    }
    ASSERT_FALSE(doc.texts.isEmpty());
    EXPECT_EQ(doc.texts.back().text, "30 = ");
    EXPECT_FALSE(doc.Find("2. DATI STATISTICI"));
}

TEST_F(ReportPdf, TabColumnsAreAverageCharacterWidthsOfTheLinesFont) {
    const PdfDocument doc = Read(Print(FreshInputs()));
    const auto col10 = doc.Find("01 = ");
    const auto col50 = doc.Find("11 = ");
    const auto col90 = doc.Find("21 = ");
    const auto title = doc.Find("ANALISI STATISTICA");
    ASSERT_TRUE(col10 && col50 && col90 && title);
    const double width = 10 * kArialAverage;
    EXPECT_NEAR(col50->left - col10->left, 40 * width, kPositionTolerance);
    EXPECT_NEAR(col90->left - col10->left, 80 * width, kPositionTolerance);
    EXPECT_EQ(col50->top, col10->top);
    EXPECT_EQ(col90->top, col10->top);
    // Column 1 is the left margin, for the 18-point bold title too.
    const double margin = col10->left - 9 * width;
    EXPECT_NEAR(title->left, margin + 23 * 18 * kArialBoldAverage, kPositionTolerance);
    // At least 10 mm of paper at the left, and room at column 90 for "Media XY = " and a figure.
    EXPECT_GT(margin, 28);
    EXPECT_LT(col90->left + 20 * width, kA4Width - 28);
}

TEST_F(ReportPdf, APassedColumnGoesToTheNextLine) {
    ReportInputs in = FreshInputs();
    in.rows[0].x = in.rows[0].y = "-123456789012345.5";
    const PdfDocument doc = Read(Print(in));
    const auto first = doc.Find("01 = -123456789012345.50000 / -123456789012345.50000");
    const auto moved = doc.Find("11 = ");
    const auto right = doc.Find("21 = ");
    const auto second = doc.Find("02 = ");
    const auto column50 = doc.Find("12 = ");
    ASSERT_TRUE(first && moved && right && second && column50);
    EXPECT_GT(moved->top, first->top);
    EXPECT_NEAR(moved->left, column50->left, kPositionTolerance);
    EXPECT_EQ(right->top, moved->top);
    EXPECT_NEAR(second->top - moved->top, moved->top - first->top, kPositionTolerance);
}

TEST_F(ReportPdf, APiecePastTheRightMarginGoesOnAtTheLeftMargin) {
    ReportInputs in = FreshInputs();
    in.currentFileName = "/home/utente/" + QString("misure_di_laboratorio/").repeated(8) + "a.rgs";
    const PdfDocument doc = Read(Print(in));
    const auto start = std::find_if(doc.texts.begin(), doc.texts.end(),
                                    [](const PdfText& t) { return t.text.startsWith("File: "); });
    ASSERT_TRUE(start != doc.texts.end() && start + 1 != doc.texts.end());
    const PdfText& rest = *(start + 1);
    EXPECT_EQ(start->text + rest.text, "File: " + in.currentFileName);
    EXPECT_GT(rest.top, start->top);
    const auto column10 = doc.Find("01 = ");
    ASSERT_TRUE(column10);
    EXPECT_NEAR(rest.left, column10->left - 9 * 10 * kArialAverage, kPositionTolerance);
}

TEST_F(ReportPdf, LongHistoryContinuesOnNewPages) {
    const PdfDocument doc = Read(Print(ComputedInputs(100)));
    ASSERT_GE(doc.pages.size(), 2);
    for (const QSizeF& page : doc.pages) {
        EXPECT_EQ(page, QSizeF(kA4Width, kA4Height));
    }
    int next = 1;
    const PdfText* previous = nullptr;
    for (const PdfText& t : doc.texts) {
        EXPECT_LT(t.top + t.height, kA4Height - 28) << t.text.toStdString();
        const QString number = QString("%1: ").arg(next, 2, 10, QChar(u'0'));
        if (!t.text.startsWith(number)) {
            continue;
        }
        if (previous && previous->page == t.page) {
            EXPECT_GT(t.top, previous->top) << number.toStdString();
        } else if (previous) {
            EXPECT_EQ(t.page, previous->page + 1) << number.toStdString();
            EXPECT_GT(previous->top, kA4Height - 100) << "page " << previous->page << " not full";
            EXPECT_LT(t.top, 100) << number.toStdString();
        }
        previous = &t;
        ++next;
    }
    EXPECT_EQ(next, 101);
    ASSERT_TRUE(previous);
    EXPECT_EQ(previous->page, doc.pages.size());
}

TEST_F(ReportPdf, AnUnwritableFileGivesNoOutput) {
    const QString path = dir.filePath("missing/report.pdf");
    PdfReportPrinter(path).Print(ReportLines(ComputedInputs(1)));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(DefaultPrinter, MissingPrinterPrintsNothingAndReturns) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A print server that is not there: no default destination.
    qputenv("CUPS_SERVER", dir.filePath("no-cups.sock").toLocal8Bit());
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QtReportPrinter().Print(ReportLines(ComputedInputs(1)));
    QDir::setCurrent(cwd);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

} // namespace
} // namespace qb

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
