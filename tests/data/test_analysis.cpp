// The state owner's rules: what invalidates the figures, what the row-count choice does to the
// rows, the focus-loss rewrite and the result captions.
#include "data/Analysis.h"

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
        QObject::connect(&analysis, &Analysis::rowChanged,
                         [this](int row) { changedRows.push_back(row); });
        QObject::connect(&analysis, &Analysis::rowCountChosen,
                         [this](int count) { chosenCounts.push_back(count); });
        QObject::connect(&analysis, &Analysis::resultCaptionsChanged, [this] { ++captionSignals; });
        QObject::connect(&analysis, &Analysis::historyChanged, [this] { ++historySignals; });
    }

    void Enter(const Points& points) {
        analysis.chooseRowCount(static_cast<int>(points.size()));
        for (int i = 0; i < static_cast<int>(points.size()); ++i) {
            analysis.setText(Column::X, i, QString::fromLatin1(points[i].first));
            analysis.setText(Column::Y, i, QString::fromLatin1(points[i].second));
        }
    }

    // The worked data set computed, with one history item, and the signal records cleared.
    void Computed() {
        Enter(kWorked);
        ASSERT_TRUE(analysis.computeStatistics());
        analysis.appendHistoryItem("y(5) = 7.5");
        changedRows.clear();
        captionSignals = historySignals = 0;
    }

    void ExpectStillValid() {
        EXPECT_TRUE(analysis.statsValid());
        EXPECT_FALSE(analysis.statistics().AllZero());
        EXPECT_EQ(analysis.history().size(), 1);
    }
    void ExpectInvalidated() {
        EXPECT_FALSE(analysis.statsValid());
        EXPECT_TRUE(analysis.statistics().AllZero());
        EXPECT_TRUE(analysis.history().isEmpty());
    }

    Analysis analysis;
    std::vector<int> changedRows;
    std::vector<int> chosenCounts;
    int captionSignals = 0;
    int historySignals = 0;
};

TEST_F(AnalysisTest, RowCountChoiceActivatesChecksAndEmpties) {
    analysis.chooseRowCount(5);
    analysis.setUsed(1, false);
    analysis.setText(Column::X, 4, "9");
    analysis.setText(Column::Y, 4, "8");
    analysis.setText(Column::X, 2, "3");
    analysis.chooseRowCount(4);

    EXPECT_EQ(analysis.rowCount(), 4);
    EXPECT_EQ(chosenCounts, (std::vector<int>{5, 4}));
    for (int i = 0; i < kRowCapacity; ++i) {
        const Row& r = analysis.row(i);
        EXPECT_EQ(r.active, i < 4) << i;
        EXPECT_EQ(r.used, i < 4) << i; // row 1 is checked again
        if (i != 2) {
            EXPECT_TRUE(r.x.isEmpty() && r.y.isEmpty()) << i;
        }
    }
    EXPECT_EQ(analysis.row(2).x, "3"); // texts of the remaining rows stay
}

TEST_F(AnalysisTest, DifferentTextInvalidates) {
    Computed();
    const Extremes before = analysis.extremes();
    analysis.setText(Column::X, 0, "1.0"); // the same value, but another text
    ExpectInvalidated();
    EXPECT_EQ(analysis.extremes(), before);
    EXPECT_EQ(changedRows, std::vector<int>{0});
    EXPECT_EQ(historySignals, 1);
}

TEST_F(AnalysisTest, SameTextIsNoChange) {
    Computed();
    analysis.setText(Column::X, 0, "1");
    analysis.setText(Column::Y, 3, "6");
    ExpectStillValid();
    EXPECT_TRUE(changedRows.empty());
    EXPECT_EQ(historySignals, 0);
}

TEST_F(AnalysisTest, UseFlagInvalidatesNothing) {
    Computed();
    analysis.setUsed(2, false);
    ExpectStillValid();
    EXPECT_FALSE(analysis.row(2).used);
    EXPECT_EQ(changedRows, std::vector<int>{2});
}

TEST_F(AnalysisTest, RowCountChoiceInvalidatesOnlyByEmptyingTexts) {
    Computed();
    analysis.chooseRowCount(4);
    analysis.chooseRowCount(6);
    ExpectStillValid();
    analysis.chooseRowCount(3); // empties row 3, which held (4, 6)
    ExpectInvalidated();
    EXPECT_TRUE(analysis.row(3).x.isEmpty());
}

TEST_F(AnalysisTest, NormalisingANormalTextKeepsTheFigures) {
    Computed();
    analysis.normaliseText(Column::X, 1);
    EXPECT_EQ(analysis.row(1).x, "2");
    ExpectStillValid();
}

TEST_F(AnalysisTest, NothingIsNormalisedWhileBusy) {
    analysis.chooseRowCount(2);
    analysis.setText(Column::Y, 1, "007");
    analysis.setBusy(true);
    analysis.normaliseText(Column::Y, 1);
    EXPECT_EQ(analysis.row(1).y, "007");
    analysis.setBusy(false);
    analysis.normaliseText(Column::Y, 1);
    EXPECT_EQ(analysis.row(1).y, "7");
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
    analysis.chooseRowCount(2);
    analysis.setText(Column::X, 1, QString::fromLatin1(GetParam().typed));
    analysis.normaliseText(Column::X, 1);
    EXPECT_EQ(analysis.row(1).x.toStdString(), GetParam().normal);
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
    EXPECT_FALSE(analysis.statsValid());
    ASSERT_TRUE(analysis.computeStatistics());
    EXPECT_TRUE(analysis.statsValid());
    EXPECT_EQ(captionSignals, 1);
    const auto& c = analysis.resultCaptions();
    EXPECT_EQ(c[X], "2.50000");
    EXPECT_EQ(c[SXY], "1.32288");
    EXPECT_EQ(c[A], "1.40000000");
    EXPECT_EQ(c[R], "0.98994949");
    EXPECT_EQ(analysis.extremes(), (Extremes{1, 4, 2, 6}));
}

TEST_F(AnalysisTest, FailedComputationEmptiesCaptions) {
    Computed();
    // Every X equal: no slope.
    analysis.setText(Column::X, 1, "1");
    analysis.setText(Column::X, 2, "1");
    analysis.setText(Column::X, 3, "1");
    const Extremes before = analysis.extremes();
    EXPECT_FALSE(analysis.computeStatistics());
    EXPECT_FALSE(analysis.statsValid());
    EXPECT_EQ(captionSignals, 1);
    for (const QString& caption : analysis.resultCaptions()) {
        EXPECT_TRUE(caption.isEmpty());
    }
    EXPECT_EQ(analysis.extremes(), before);
}

class AnalysisCommaTest : public AnalysisTest {
protected:
    AnalysisCommaTest() : AnalysisTest(u',') {}
};

TEST_F(AnalysisCommaTest, CaptionsUseTheConstructorsSeparator) {
    Enter(kWorked);
    ASSERT_TRUE(analysis.computeStatistics());
    EXPECT_EQ(analysis.decimalSeparator(), u',');
    EXPECT_EQ(analysis.resultCaptions()[X], "2,50000");
    EXPECT_EQ(analysis.resultCaptions()[B], "0,50000000");
    // Entry texts keep "." whatever the display separator.
    analysis.setText(Column::X, 0, "0.5");
    analysis.normaliseText(Column::X, 0);
    EXPECT_EQ(analysis.row(0).x, ".5");
}

} // namespace
} // namespace qb
