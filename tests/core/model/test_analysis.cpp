// The state owner's rules: what invalidates the figures, what the row-count choice does to the
// rows, the focus-loss rewrite and the result captions.
#include "model/Analysis.h"

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

namespace qb {
namespace {

using Points = std::vector<std::pair<const char*, const char*>>;

const Points kWorked = {{"1", "2"}, {"2", "3"}, {"3", "5"}, {"4", "6"}};

class AnalysisTest : public ::testing::Test {
protected:
    explicit AnalysisTest(QChar separator = u'.') : analysis(separator) {
        QObject::connect(&analysis, &Analysis::RowChanged,
                         [this](int row) { changedRows.push_back(row); });
        QObject::connect(&analysis, &Analysis::RowCountChosen,
                         [this](int count) { chosenCounts.push_back(count); });
        QObject::connect(&analysis, &Analysis::ResultCaptionsChanged, [this] { ++captionSignals; });
        QObject::connect(&analysis, &Analysis::HistoryChanged, [this] { ++historySignals; });
    }

    void Enter(const Points& points) {
        analysis.ChooseRowCount(static_cast<int>(points.size()));
        for (int i = 0; i < static_cast<int>(points.size()); ++i) {
            analysis.SetText(Column::X, i, QString::fromLatin1(points[i].first));
            analysis.SetText(Column::Y, i, QString::fromLatin1(points[i].second));
        }
    }

    // The worked data set computed, with one history item, and the signal records cleared.
    void Computed() {
        Enter(kWorked);
        ASSERT_TRUE(analysis.ComputeStatistics());
        analysis.AppendHistoryItem("y(5) = 7.5");
        changedRows.clear();
        captionSignals = historySignals = 0;
    }

    void ExpectStillValid() {
        EXPECT_TRUE(analysis.StatsValid());
        EXPECT_FALSE(analysis.Figures().AllZero());
        EXPECT_EQ(analysis.History().size(), 1);
    }
    void ExpectInvalidated() {
        EXPECT_FALSE(analysis.StatsValid());
        EXPECT_TRUE(analysis.Figures().AllZero());
        EXPECT_TRUE(analysis.History().isEmpty());
    }

    Analysis analysis;
    std::vector<int> changedRows;
    std::vector<int> chosenCounts;
    int captionSignals = 0;
    int historySignals = 0;
};

TEST_F(AnalysisTest, RowCountChoiceActivatesChecksAndEmpties) {
    analysis.ChooseRowCount(5);
    analysis.SetUsed(1, false);
    analysis.SetText(Column::X, 4, "9");
    analysis.SetText(Column::Y, 4, "8");
    analysis.SetText(Column::X, 2, "3");
    analysis.ChooseRowCount(4);

    EXPECT_EQ(analysis.RowCount(), 4);
    EXPECT_EQ(chosenCounts, (std::vector<int>{5, 4}));
    for (int i = 0; i < kRowCapacity; ++i) {
        const DataRow& r = analysis.Row(i);
        EXPECT_EQ(r.active, i < 4) << i;
        EXPECT_EQ(r.used, i < 4) << i; // row 1 is checked again
        if (i != 2) {
            EXPECT_TRUE(r.x.isEmpty() && r.y.isEmpty()) << i;
        }
    }
    EXPECT_EQ(analysis.Row(2).x, "3"); // texts of the remaining rows stay
}

TEST_F(AnalysisTest, DifferentTextInvalidates) {
    Computed();
    const Extremes before = analysis.Limits();
    analysis.SetText(Column::X, 0, "1.0"); // the same value, but another text
    ExpectInvalidated();
    EXPECT_EQ(analysis.Limits(), before);
    EXPECT_EQ(changedRows, std::vector<int>{0});
    EXPECT_EQ(historySignals, 1);
}

TEST_F(AnalysisTest, SameTextIsNoChange) {
    Computed();
    analysis.SetText(Column::X, 0, "1");
    analysis.SetText(Column::Y, 3, "6");
    ExpectStillValid();
    EXPECT_TRUE(changedRows.empty());
    EXPECT_EQ(historySignals, 0);
}

TEST_F(AnalysisTest, UseFlagInvalidatesNothing) {
    Computed();
    analysis.SetUsed(2, false);
    ExpectStillValid();
    EXPECT_FALSE(analysis.Row(2).used);
    EXPECT_EQ(changedRows, std::vector<int>{2});
}

TEST_F(AnalysisTest, RowCountChoiceInvalidatesOnlyByEmptyingTexts) {
    Computed();
    analysis.ChooseRowCount(4);
    analysis.ChooseRowCount(6);
    ExpectStillValid();
    analysis.ChooseRowCount(3); // empties row 3, which held (4, 6)
    ExpectInvalidated();
    EXPECT_TRUE(analysis.Row(3).x.isEmpty());
}

TEST_F(AnalysisTest, NormalisingANormalTextKeepsTheFigures) {
    Computed();
    analysis.NormaliseText(Column::X, 1);
    EXPECT_EQ(analysis.Row(1).x, "2");
    ExpectStillValid();
}

TEST_F(AnalysisTest, NothingIsNormalisedWhileBusy) {
    analysis.ChooseRowCount(2);
    analysis.SetText(Column::Y, 1, "007");
    analysis.SetBusy(true);
    analysis.NormaliseText(Column::Y, 1);
    EXPECT_EQ(analysis.Row(1).y, "007");
    analysis.SetBusy(false);
    analysis.NormaliseText(Column::Y, 1);
    EXPECT_EQ(analysis.Row(1).y, "7");
}

struct NormaliseCase {
    const char* typed;
    const char* normal;
};
void PrintTo(const NormaliseCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class AnalysisNormalise : public AnalysisTest,
                          public ::testing::WithParamInterface<NormaliseCase> {};

TEST_P(AnalysisNormalise, RewritesTheText) {
    analysis.ChooseRowCount(2);
    analysis.SetText(Column::X, 1, QString::fromLatin1(GetParam().typed));
    analysis.NormaliseText(Column::X, 1);
    EXPECT_EQ(analysis.Row(1).x.toStdString(), GetParam().normal);
}

INSTANTIATE_TEST_SUITE_P(Texts, AnalysisNormalise,
                         ::testing::Values(NormaliseCase{"", "0"}, NormaliseCase{"007", "7"},
                                           NormaliseCase{"-0.250", "-.25"},
                                           NormaliseCase{"1,5", "1"}, NormaliseCase{"abc", "0"},
                                           NormaliseCase{"0.000015", "1.5E-05"},
                                           NormaliseCase{"1e400", "1e400"},
                                           NormaliseCase{"-1e400", "-1e400"}));

TEST_F(AnalysisTest, ComputingFillsCaptionsAndExtremes) {
    Enter(kWorked);
    EXPECT_FALSE(analysis.StatsValid());
    ASSERT_TRUE(analysis.ComputeStatistics());
    EXPECT_TRUE(analysis.StatsValid());
    EXPECT_EQ(captionSignals, 1);
    const auto& c = analysis.ResultCaptions();
    EXPECT_EQ(c[int(Figure::X)], "2.50000");
    EXPECT_EQ(c[int(Figure::SXY)], "1.32288");
    EXPECT_EQ(c[int(Figure::A)], "1.40000000");
    EXPECT_EQ(c[int(Figure::R)], "0.98994949");
    EXPECT_EQ(analysis.Limits(), (Extremes{1, 4, 2, 6}));
}

TEST_F(AnalysisTest, FailedComputationEmptiesCaptions) {
    Computed();
    // Every X equal: no slope.
    analysis.SetText(Column::X, 1, "1");
    analysis.SetText(Column::X, 2, "1");
    analysis.SetText(Column::X, 3, "1");
    const Extremes before = analysis.Limits();
    EXPECT_FALSE(analysis.ComputeStatistics());
    EXPECT_FALSE(analysis.StatsValid());
    EXPECT_EQ(captionSignals, 1);
    for (const QString& caption : analysis.ResultCaptions()) {
        EXPECT_TRUE(caption.isEmpty());
    }
    EXPECT_EQ(analysis.Limits(), before);
}

class AnalysisCommaTest : public AnalysisTest {
protected:
    AnalysisCommaTest() : AnalysisTest(u',') {}
};

TEST_F(AnalysisCommaTest, CaptionsUseTheConstructorsSeparator) {
    Enter(kWorked);
    ASSERT_TRUE(analysis.ComputeStatistics());
    EXPECT_EQ(analysis.DecimalSeparator(), u',');
    EXPECT_EQ(analysis.ResultCaptions()[int(Figure::X)], "2,50000");
    EXPECT_EQ(analysis.ResultCaptions()[int(Figure::B)], "0,50000000");
    // Entry texts keep "." whatever the display separator.
    analysis.SetText(Column::X, 0, "0.5");
    analysis.NormaliseText(Column::X, 0);
    EXPECT_EQ(analysis.Row(0).x, ".5");
}

} // namespace
} // namespace qb
