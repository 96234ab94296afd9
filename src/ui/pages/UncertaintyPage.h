#pragma once

#include "TabPage.h"
#include "model/Analysis.h"
#include "report/UncertaintyText.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;

namespace qb {

class ResultLabel;

// Page "5. Incertezza": how sure the line of page 2 is, at the chosen confidence level.
class UncertaintyPage final : public TabPage {
    Q_OBJECT
public:
    explicit UncertaintyPage(Analysis& analysis, QWidget* parent = nullptr);

    static constexpr int kColumns = kCoefficientColumns;
    static constexpr int kSummaries = kUncertaintySummaries;

    QComboBox* Cmb_Livello() const { return level_; }
    QCheckBox* Chk_Bande() const { return bands_; }
    // Row 0 is the slope a, row 1 the intercept b.
    ResultLabel* Coefficient(int row, int column) const { return table_[row][column]; }
    ResultLabel* Summary(int i) const { return summaries_[i]; }
    QLabel* Note() const { return note_; }

signals:
    void LevelChosen(ConfidenceLevel level);
    void BandsChosen(BandsDisplay bands);

private:
    ResultLabel* Result(const QString& name, int left, int top, int width);
    void ShowFigures();

    Analysis& analysis_;
    QComboBox* level_ = nullptr;
    QCheckBox* bands_ = nullptr;
    std::array<std::array<ResultLabel*, kColumns>, 2> table_{};
    std::array<ResultLabel*, kSummaries> summaries_{};
    QLabel* note_ = nullptr;
};

} // namespace qb
