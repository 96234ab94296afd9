// The state owner's rules: what invalidates the figures, the focus-loss rewrite and Busy.
#include "model/Analysis.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>

#include <functional>

namespace qb {
namespace {

// Setting what a row already holds must change and emit nothing: the views echo every edit.
TEST(Analysis, OnlyAChangedTextInvalidates) {
    using Edit = std::function<void(Analysis&)>;
    const std::tuple<const char*, Edit, bool, int> cases[] = {
        {"same text", [](Analysis& a) { a.SetText(Column::Y, 3, "6"); }, false, 0},
        {"same value, other text", [](Analysis& a) { a.SetText(Column::X, 0, "1.0"); }, true, 1},
        {"use flag", [](Analysis& a) { a.SetUsed(2, false); }, false, 1},
        {"normal text normalised", [](Analysis& a) { a.NormaliseText(Column::X, 1); }, false, 0},
        {"row count kept, grown", [](Analysis& a) { a.ChooseRowCount(4), a.ChooseRowCount(6); },
         false, 2},
        {"row count emptying a row", [](Analysis& a) { a.ChooseRowCount(3); }, true, 3}};
    for (const auto& [name, edit, invalidates, expectedSignals] : cases) {
        SCOPED_TRACE(name);
        Analysis a(u'.');
        a.ChooseRowCount(int(worked::kRows.size()));
        for (int i = 0; i < worked::kRows.size(); ++i) {
            a.SetText(Column::X, i, worked::kRows[i].first);
            a.SetText(Column::Y, i, worked::kRows[i].second);
        }
        ASSERT_TRUE(a.ComputeStatistics());
        a.AppendHistoryItem("X = 5 / Y = 7.5");
        int rowSignals = 0;
        QObject::connect(&a, &Analysis::RowChanged, [&] { ++rowSignals; });
        edit(a);
        EXPECT_EQ(a.StatsValid(), !invalidates);
        EXPECT_EQ(a.Figures().AllZero(), invalidates);
        EXPECT_EQ(a.History().isEmpty(), invalidates);
        EXPECT_EQ(rowSignals, expectedSignals);
    }
}

// The full rewrite table is the numbers' (number_text.tsv); here the model's own exceptions.
// Busy is a plain flag, not a count: an inner scope that ends clears it for the outer one too.
TEST(Analysis, NormalisesUnlessBusyOrBeyondRange) {
    Analysis a(u',');
    a.SetText(Column::Y, 1, "007");
    {
        const BusyScope outer(a);
        {
            const BusyScope inner(a);
            a.NormaliseText(Column::Y, 1);
            EXPECT_EQ(a.Row(1).y, "007");
        }
        a.NormaliseText(Column::Y, 1);
        EXPECT_EQ(a.Row(1).y, "7");
    }
    EXPECT_FALSE(a.Busy());
    a.SetText(Column::X, 1, "-1e400");
    a.NormaliseText(Column::X, 1);
    EXPECT_EQ(a.Row(1).x, "-1e400");
    a.SetText(Column::X, 0, "0.5"); // entry texts keep "." whatever the display separator
    a.NormaliseText(Column::X, 0);
    EXPECT_EQ(a.Row(0).x, ".5");
}

} // namespace
} // namespace qb
