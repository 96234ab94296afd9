#include "ChartPage.h"

#include "ChartView.h"
#include "chart/ChartDrawing.h"
#include "model/Analysis.h"

namespace qb {

ChartPage::ChartPage(const Analysis& analysis, QWidget* parent)
    : TabPage(parent), view_(Place(new ChartView(TwipsRect(0, 0, 11355, 7215).size(), Canvas()),
                                   430, 600, 11355, 7215)) {
    // Described when drawn, not when read: the figures may change before the chart is redrawn.
    const auto describe = [this, &analysis] {
        view_->setAccessibleDescription(ChartDescription(
            view_->Surface(), analysis.Rows(), analysis.Figures(), analysis.DecimalSeparator()));
    };
    connect(view_, &ChartView::DrawingChanged, this, describe);
    describe();
}

} // namespace qb
