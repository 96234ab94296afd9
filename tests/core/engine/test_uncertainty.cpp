// The uncertainty figures against a table from an independent oracle (uncertainty_oracle.py:
// rationals, mpmath at 80 digits, exact ties) and against the worked example's published values
// ("*": not published).
#include "core/numbers/CaseFile.h"
#include "engine/Uncertainty.h"
#include "numbers/TextValue.h"

namespace qb {
namespace {

QStringList ShownFigures(const Uncertainty& u, const mpq_class& x0) {
    const UncertaintyFigures f = u.Figures();
    const PredictionIntervals p = u.At(x0);
    QStringList shown;
    for (const FigureText& t :
         {FigureText(f.degreesOfFreedom), f.s, FigureText(f.rSquared), f.slope.standardError,
          f.intercept.standardError, f.slope.t, f.intercept.t, f.slope.p, f.intercept.p,
          f.criticalT, f.slope.low, f.slope.high, f.intercept.low, f.intercept.high, p.meanLow,
          p.meanHigh, p.newLow, p.newHigh}) {
        shown << t.value_or("undefined");
    }
    return shown;
}

TEST(Uncertainty, EveryShownFigureAsTheOracle) {
    const std::map<QString, ConfidenceLevel> levels = {{"90", ConfidenceLevel::Percent90},
                                                       {"95", ConfidenceLevel::Percent95},
                                                       {"99", ConfidenceLevel::Percent99}};
    for (const char* table : {"uncertainty_generated.tsv", "uncertainty_reference.tsv"}) {
        for (const Case& c : ReadCases(__FILE__, table)) {
            DataSet rows{};
            int i = 0;
            for (const QString& token : c[2].split(u' ')) {
                const QStringList p = token.split(u':');
                rows[i++] = DataRow{p[0], p[1], p.size() < 3, true};
            }
            const auto u = Uncertainty::Of(rows, levels.at(c[1]));
            ASSERT_TRUE(u) << c.where;
            const QStringList shown = ShownFigures(*u, ExactTextValue(c[3])->Rational());
            const QStringList expected = c[4].split(u' ');
            for (int f = 0; f < shown.size(); ++f) {
                EXPECT_EQ(expected[f] == "*" ? "*" : shown[f], expected[f])
                    << c.where << ' ' << c[0].toStdString() << " figure " << f + 1;
            }
        }
    }
}

} // namespace
} // namespace qb
