// The session's commands against scripted seams and a real folder: what each answers, which
// file stays bound, which files stay untouched and what the chart shows.
#include "core/numbers/CaseFile.h"
#include "support/FileBytes.h"
#include "support/SessionUnderTest.h"

#include <QDir>
#include <QTemporaryDir>

namespace qb {
namespace {

const QStringList kChanges{
    "None",           "DataLoaded", "DataLoadedWithoutRows", "DocumentCleared",  "ResultsShown",
    "ResultsCleared", "Predicted",  "PredictionRefused",     "PredictionCleared"};
const QStringList kNotices{"None",        "FileNotValid", "FileSaved",   "NotSaved",
                           "SaveFailed",  "ExportFailed", "ForeignName", "PasteRefused",
                           "ScaleErrorX", "ScaleErrorY",  "DataError"};
const QStringList kCauses{"Done",           "NotRegularFile", "ReadOnlyFile", "FolderMissing",
                          "FolderReadOnly", "DiskFull",       "TooLarge",     "Failed"};
const QStringList kRefusals{
    "",          "TooLarge",   "TooManyLines",  "NoPairs",  "OnePair",   "TooManyPairs",
    "EmptyCell", "NotANumber", "TooLongNumber", "OneValue", "ManyValues"};
const QStringList kPages{"Data", "Statistics", "Chart", "Prediction", "Uncertainty", "Residuals"};

const std::map<QString, QByteArray> kFiles = {
    {"good.rgs", "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=4\r\n"},
    {"partial.rgs", "[Program ID]\r\nID=Quantorelle\r\n[Points]\r\nNumber=1\r\n"},
    {"junk.rgs", "no data file"},
    {"taken.rgs", "another program's file"},
    {"taken.pdf", "another program's file"},
};

struct Bench : SessionUnderTest {
    QTemporaryDir dir;

    Bench() : SessionUnderTest(u'.') {
        for (const auto& [name, bytes] : kFiles) {
            Write(dir.filePath(name), bytes);
        }
        EXPECT_TRUE(QDir(dir.path()).mkpath("folder.rgs") && QDir(dir.path()).mkpath("shot.png"));
    }

    void Choose(const QString& name) {
        files.answers.enqueue(name == "-" ? std::nullopt
                                          : std::optional(FileChoice{dir.filePath(name)}));
    }
    void Answer(const QString& yesNo) {
        overwrite.answers.enqueue(yesNo == "yes" ? Consent::Agreed : Consent::Declined);
    }
    void TypeRows(const QStringList& pairs) {
        analysis.ChooseRowCount(int(pairs.size()));
        for (int i = 0; i < pairs.size(); ++i) {
            analysis.SetText(Column::X, i, pairs[i].section(u',', 0, 0));
            analysis.SetText(Column::Y, i, pairs[i].section(u',', 1));
        }
    }

    Outcome Run(const QString& step) {
        const QStringList a = step.split(u' ');
        const QString& command = a[0];
        if (command == "open") {
            return session.Documents().Open(dir.filePath(a[1]));
        }
        if (command == "openDialog") {
            Choose(a[1]);
            return session.Documents().Open();
        }
        if (command == "save" || command == "saveAs") {
            if (command == "saveAs") {
                Choose(a[1]);
                Answer(a[2]);
            }
            return session.Documents().Save(command == "save" ? SaveMode::KnownName
                                                              : SaveMode::AskName);
        }
        if (command == "exportChart" || command == "exportReport") {
            Choose(a[1]);
            Answer(a[2]);
            return command == "exportReport"
                       ? session.Documents().ExportReport([](const Report&) { return "%PDF"; })
                       : session.Documents().ExportChart([](ChartFormat) { return "PNG"; });
        }
        if (command == "paste") {
            clipboard.text = a[1];
            if (a.size() > 2) {
                preview.answers.enqueue(a[2] == "-" ? std::nullopt : std::optional(a[2].toInt()));
            }
            return session.PastePairs();
        }
        if (command == "switch") {
            return session.SwitchTo(Page(kPages.indexOf(a[1])));
        }
        if (command == "predict") {
            return session.Predict(a[1]);
        }
        if (command == "clearPrediction") {
            return session.ClearPrediction();
        }
        if (command == "new") {
            return session.New();
        }
        EXPECT_EQ(command, "rows");
        TypeRows(a.mid(1));
        return {};
    }
};

QString Described(const Outcome& o) {
    QStringList words{kChanges.value(int(o.change)), kNotices.value(int(o.notice))};
    if (!o.fileName.isEmpty()) {
        words << QFileInfo(o.fileName).fileName();
    }
    if (o.notice == Notice::ExportFailed) {
        words << kCauses.value(int(o.cause));
    }
    if (o.notice == Notice::PasteRefused) {
        words << kRefusals.value(int(o.paste.why));
    }
    if (!o.detail.isEmpty()) {
        words << o.detail;
    }
    return words.join(u' ');
}

TEST(Session, AnswersEachCommandWithItsOutcome) {
    for (const Case& c : ReadCases(__FILE__, "session_commands.tsv")) {
        Bench bench;
        Outcome last;
        for (const QString& step : c[0].split(" ; ")) {
            last = bench.Run(step);
        }
        const QString bound = bench.analysis.CurrentFileName();
        EXPECT_EQ(Described(last), c[1]) << c.where;
        EXPECT_EQ(bound.isEmpty() ? QString() : QFileInfo(bound).fileName(), c[2]) << c.where;
        for (const QString& name : c[3].split(u' ', Qt::SkipEmptyParts)) {
            EXPECT_EQ(Contents(bench.dir.filePath(name)), kFiles.at(name))
                << c.where << name.toStdString();
        }
        const bool drawn = !bench.chart.Commands().empty();
        const QString chart = bench.session.ChartCurrent() ? "current" : drawn ? "stale" : "empty";
        EXPECT_EQ(chart + (bench.session.ResidualPlotCurrent() ? " plot" : ""), c[4]) << c.where;
        EXPECT_FALSE(bench.analysis.Busy()) << c.where;
    }
}

// The bands and the level redraw a current chart and leave the figures and the history; hidden
// again, the chart is the very recording drawn before they were ever shown.
TEST(Session, BandsRedrawTheChartAndHiddenLeaveItAsItWas) {
    Bench bench;
    for (const char* step : {"rows 1,2 2,3 3,5 4,6", "switch Prediction", "predict 5"}) {
        bench.Run(step);
    }
    const auto plain = bench.chart.Commands();
    bench.session.ChooseBands(BandsDisplay::Shown);
    const auto shown = bench.chart.Commands();
    bench.session.ChooseLevel(ConfidenceLevel::Percent99);
    EXPECT_TRUE(shown.size() > plain.size() && bench.chart.Commands() != shown);
    bench.session.ChooseBands(BandsDisplay::Hidden);
    EXPECT_TRUE(bench.chart.Commands() == plain);
    EXPECT_TRUE(bench.analysis.StatsValid() && bench.analysis.History().size() == 1);
    bench.session.ChooseBands(BandsDisplay::Shown);
    bench.Run("new");
    EXPECT_EQ(bench.analysis.Bands(), BandsDisplay::Hidden);
}

} // namespace
} // namespace qb
