// The least-squares engine on known data sets: the figures, the step at which impossible data
// stop it, the extremes and the prediction.
#include "core/numbers/CaseFile.h"
#include "engine/Engine.h"
#include "engine/StatisticsCaptions.h"
#include "numbers/TextValue.h"
#include "support/WorkedExample.h"

namespace qb {
namespace {

// The rows as the tables write them (see compute_statistics.tsv).
DataSet ParseRows(QString text) {
    QStringList worked;
    for (const auto& [x, y] : worked::kRows) {
        worked << x + u':' + y;
    }
    DataSet rows{};
    int i = 0;
    for (const QString& token :
         text.replace("worked", worked.join(u' ')).split(u' ', Qt::SkipEmptyParts)) {
        const QStringList p = token.split(u':');
        rows[i++] = DataRow{p[0], p.value(1), p.size() < 3, p.value(2) != "out"};
    }
    return rows;
}

// On failure the failed field is 0 and the later ones, and the extremes, keep what they held.
TEST(ComputeStatistics, FiguresExtremesOrFailedStep) {
    for (const Case& c : ReadCases(__FILE__, "compute_statistics.tsv")) {
        SCOPED_TRACE(c.where + " " + c[0].toStdString());
        const int failed = c[1].toInt();
        Statistics s;
        s.values.fill(mpq_class(7));
        Extremes e{7, 7, 7, 7};
        const ComputeOutcome outcome = ComputeStatistics(ParseRows(c[2]), s, e);
        EXPECT_EQ(outcome.failedStep, failed);
        EXPECT_EQ(outcome.ok, failed == 0);
        const QString extremes = QString("%1 %2 %3 %4").arg(e.XMin).arg(e.XMax).arg(e.YMin);
        if (failed == 0) {
            const auto captions = StatisticsCaptions(s, u'.');
            const QStringList shown(captions.begin(), captions.end());
            EXPECT_EQ(shown, c[3] == "worked" ? worked::Captions(u'.') : c[3].split(u' '));
            EXPECT_TRUE(c[4].isEmpty() || extremes.arg(e.YMax) == c[4]) << extremes.toStdString();
            continue;
        }
        EXPECT_EQ(extremes.arg(e.YMax), "7 7 7 7");
        for (int f = failed - 1; f < kFigureCount; ++f) {
            EXPECT_EQ(s.values[f], ExactNumber(f == failed - 1 ? 0 : 7)) << kFigureNames[f];
        }
    }
}

TEST(PredictY, IsTheLineWithinRange) {
    const auto exact = [](const QString& text) { return ExactTextValue(text)->Rational(); };
    for (const Case& c : ReadCases(__FILE__, "predict_y.tsv")) {
        SCOPED_TRACE(c.where);
        const auto y = PredictY(exact(c[0]), exact(c[1]), exact(c[2]));
        EXPECT_EQ(y.has_value(), c[3] != "overflow");
        EXPECT_TRUE(!y || *y == exact(c[3]));
    }
}

} // namespace
} // namespace qb
