// The report as printed: written to a PDF through the printer's layout and read back word by
// word with poppler's pdftotext, to see where a reader of the paper finds the texts.
#include "platform/QtReportPrinter.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qb;

namespace {

constexpr double kColumn = 10 * 904.0 / 2048; // Arial's average width at 10 points
constexpr double kTolerance = 1.5;            // points, as poppler rounds positions

struct Word {
    double left, top;
    QString text;
};

// Every word of the PDF, in reading order.
QList<Word> Print(const AnalysisSnapshot& in) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    QFile file(pdf);
    if (!file.open(QIODevice::WriteOnly) || file.write(ReportPdf(ReportLines(in))) <= 0) {
        return {};
    }
    file.close();
    QProcess tool;
    tool.start("pdftotext", {"-bbox", pdf, "-"});
    tool.waitForFinished();
    static const QRegularExpression kWord(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)<)re");
    QList<Word> words;
    for (const auto& m : kWord.globalMatch(QString::fromUtf8(tool.readAllStandardOutput()))) {
        words.append({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)});
    }
    return words;
}

// A piece that reaches past the right margin goes on at the left margin.
TEST(ReportPdf, ALongFileNameGoesOnAtTheLeftMargin) {
    AnalysisSnapshot in;
    in.fileName = "/home/utente/" + QString("misure_di_laboratorio/").repeated(8) + "a.rgs";
    const QList<Word> words = Print(in);
    const auto file =
        std::find_if(words.begin(), words.end(), [](const Word& w) { return w.text == "File:"; });
    ASSERT_GE(words.end() - file, 3) << "no file line of three words";
    EXPECT_EQ(file[1].text + file[2].text, in.fileName);
    EXPECT_GT(file[2].top, file[1].top);
    // Column 1, the left margin, is 9 columns left of column 10, where the line starts.
    EXPECT_NEAR(file[2].left, file[0].left - 9 * kColumn, kTolerance);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
