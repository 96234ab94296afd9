// The residuals page against an independent oracle's table (residuals_oracle.py: centred formulas
// in rationals, exact integer roots) and the edge cases worked by hand; every cell compared.
#include "core/numbers/CaseFile.h"
#include "engine/Residuals.h"

namespace qb {
namespace {

// The cells as the tables write them: "note;a;b;r", then one "fitted;...;state" per row.
QList<QStringList> Cells(const ResidualFigures& f) {
    static const QStringList kNotes = {"-", "dof", "perfect"};
    const auto all = f.withAll.value_or(FitWithAll{"-", "-", "-"});
    QList<QStringList> cells = {{kNotes[int(f.note)], all.a, all.b, all.r}};
    for (const ResidualRow& r : f.rows) {
        cells.append(QStringList());
        for (const FigureText& t : {r.fitted, r.residual, r.standardized, r.leverage, r.cook}) {
            cells.back() << t.value_or("-");
        }
        cells.back() << ResidualStateText(r);
    }
    return cells;
}

TEST(Residuals, EveryCellAsTheOracle) {
    for (const char* table : {"residuals_generated.tsv", "residuals_edges.tsv"}) {
        for (const Case& c : ReadCases(__FILE__, table)) {
            DataSet rows{};
            int i = 0;
            for (const QString& token : c[1].split(u' ')) {
                const QStringList p = token.split(u':');
                rows[i++] = DataRow{p[0], p[1], p.value(2) != "off", p.value(2) != "out"};
            }
            const auto f = ResidualsOf(rows);
            ASSERT_EQ(f.has_value(), c[2] != "none") << c.where;
            if (!f) {
                continue;
            }
            const QList<QStringList> shown = Cells(*f);
            const QStringList expected = c[2].split(u'|');
            ASSERT_EQ(shown.size(), expected.size()) << c.where;
            for (int k = 0; k < shown.size(); ++k) {
                const QStringList want = expected[k].split(u';');
                for (int j = 0; j < want.size(); ++j) {
                    EXPECT_EQ(shown[k].value(j), want[j])
                        << c.where << " line " << k << " cell " << j;
                }
                const ResidualRow* r = k ? &f->rows[k - 1] : nullptr;
                EXPECT_TRUE(!r ||
                            (r->row == k - 1 && std::abs(r->plotResidual - want[1].toDouble()) <=
                                                    1e-5 * (1 + std::abs(r->plotResidual))))
                    << c.where << " line " << k;
            }
        }
    }
}

} // namespace
} // namespace qb
