#pragma once

#include "TabPage.h"
#include "report/ResidualsText.h"

class QLabel;
class QTableWidget;

namespace qb {

class Analysis;
class ChartView;
struct ResidualRow;

// Page "6. Residui": how far each row in use lies from the line of page 2 and how much it pulls
// it, as a read-only table, a note where figures are not defined, the line with the excluded
// rows put back, and the residual plot.
class ResidualsPage final : public TabPage {
    Q_OBJECT
public:
    explicit ResidualsPage(Analysis& analysis, QWidget* parent = nullptr);

    static constexpr int kColumns = kResidualColumns;

    QTableWidget* Grd_Residui() const { return table_; }
    QLabel* Note() const { return note_; }
    QLabel* WithAll() const { return withAll_; }
    ChartView* picResidui() const { return plot_; }

private:
    void ShowFigures();
    void ShowRow(int line, const ResidualRow& row, QChar separator);
    void Describe();

    Analysis& analysis_;
    QTableWidget* table_;
    QLabel* note_;
    QLabel* withAll_;
    ChartView* plot_;
};

} // namespace qb
