// The report as printed: written to a PDF through the printer's layout and read back word by
// word with poppler's pdftotext, to see where a reader of the paper finds the texts.
#include "model/Analysis.h"
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
constexpr double kLeftMargin = 15 / 25.4 * 72;

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

// Thirty rows of four-digit figures, some left out, and thirty predictions: sections 5 and 6 fit
// across the page, as a piece that ran past the right margin would go on at the left margin,
// where none of their pieces starts.
TEST(ReportPdf, TheUncertaintyAndResidualsFitAcrossThePage) {
    Analysis analysis(u',');
    analysis.ChooseRowCount(kRowCapacity);
    for (int i = 0; i < kRowCapacity; ++i) {
        analysis.SetText(Column::X, i, QString::number(-1000 - 97.3 * i));
        analysis.SetText(Column::Y, i, QString::number(2000 + 203.9 * i + (i % 7) * 31.7));
        analysis.SetUsed(i, i % 9 != 4);
    }
    ASSERT_TRUE(analysis.ComputeStatistics());
    for (int i = 0; i < kRowCapacity; ++i) {
        analysis.SetPredictedX(i * 1111);
        analysis.AppendHistoryItem(
            QStringLiteral("X = %1 / Y = 0").arg(i * 1111),
            ItemIntervals{analysis.Level(), *analysis.IntervalsAtPrediction()});
    }
    const QList<Word> words = Print(analysis.Snapshot());
    const auto section5 = std::find_if(words.begin(), words.end(),
                                       [](const Word& w) { return w.text == "INCERTEZZA"; });
    ASSERT_GT(words.end() - section5, 900) << "sections 5 and 6 missing";
    for (auto w = section5; w != words.end(); ++w) {
        EXPECT_GT(w->left, kLeftMargin + kTolerance) << w->text.toStdString();
    }
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
