#pragma once

#include "TabPage.h"
#include "engine/Uncertainty.h"
#include "model/Analysis.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;

namespace qb {

class ResultLabel;

// The note where two rows leave no degrees of freedom.
extern const QString kNoDegreesOfFreedomNote;

// A figure with the decimal separator of the page, or "—" where it is not defined.
QString ShownFigure(const FigureText& figure, QChar separator);
// "[low; high]", or "—" where the interval is not defined.
QString ShownInterval(const FigureText& low, const FigureText& high, QChar separator);

// Page "5. Incertezza": how sure the line of page 2 is, at the chosen confidence level.
class UncertaintyPage final : public TabPage {
    Q_OBJECT
public:
    explicit UncertaintyPage(Analysis& analysis, QWidget* parent = nullptr);

    static constexpr int kColumns = 5;
    static constexpr int kSummaries = 4; // s, R², degrees of freedom, critical t

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
