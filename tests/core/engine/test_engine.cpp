// The least-squares engine on known data sets: the figures, the step at which impossible data
// stop it, the extremes and the prediction.
#include "core/numbers/CaseFile.h"
#include "engine/Engine.h"
#include "engine/StatisticsCaptions.h"
#include "numbers/TextValue.h"

namespace qb {
namespace {

// On failure the failed field is 0 and the later ones, and the extremes, keep what they held.
TEST(ComputeStatistics, FiguresExtremesOrFailedStep) {
    for (const Case& c : ReadCases(__FILE__, "compute_statistics.tsv")) {
        SCOPED_TRACE(c.where + " " + c[0].toStdString());
        DataSet rows{};
        int i = 0;
        for (const QString& token : c[2].split(u' ', Qt::SkipEmptyParts)) {
            const QStringList p = token.split(u':');
            rows[i++] = DataRow{p[0], p.value(1), p.size() < 3, p.value(2) != "out"};
        }
        const int failed = c[1].toInt();
        Statistics s;
        s.values.fill(mpq_class(7));
        Extremes e{7, 7, 7, 7};
        const ComputeOutcome outcome = ComputeStatistics(rows, s, e);
        EXPECT_EQ(outcome.failedStep, failed);
        EXPECT_EQ(outcome.ok, failed == 0);
        EXPECT_EQ(QString("%1 %2 %3 %4").arg(e.XMin).arg(e.XMax).arg(e.YMin).arg(e.YMax),
                  failed ? "7 7 7 7" : c[4]);
        if (!failed) {
            const auto captions = StatisticsCaptions(s, u'.');
            EXPECT_EQ(QStringList(captions.begin(), captions.end()).join(u' '), c[3]);
        }
        for (int f = failed - 1; failed && f < kFigureCount; ++f) {
            EXPECT_EQ(s.values[f], ExactNumber(f == failed - 1 ? 0 : 7)) << kFigureNames[f];
        }
    }
}

TEST(PredictY, IsTheLineWithinRange) {
    const auto exact = [](const QString& text) { return ExactTextValue(text)->Rational(); };
    for (const Case& c : ReadCases(__FILE__, "predict_y.tsv")) {
        const auto y = PredictY(exact(c[0]), exact(c[1]), exact(c[2]));
        EXPECT_EQ(y.has_value(), c[3] != "overflow") << c.where;
        EXPECT_TRUE(!y || *y == exact(c[3])) << c.where;
    }
}

} // namespace
} // namespace qb
