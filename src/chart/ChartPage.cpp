#include "ChartPage.h"

#include "ChartDrawing.h"
#include "ChartView.h"
#include "data/Analysis.h"

namespace qb {

ChartPage::ChartPage(const Analysis& analysis, QWidget* parent)
    : TabPage(parent), view_(Place(new ChartView(TwipsRect(0, 0, 11355, 7215).size(), canvas()),
                                   430, 600, 11355, 7215)) {
    // Described when drawn, not when read: the figures may change before the chart is redrawn.
    const auto describe = [this, &analysis] {
        view_->setAccessibleDescription(
            ChartDescription(view_->surface(), analysis.statistics(), analysis.decimalSeparator()));
    };
    connect(view_, &ChartView::drawingChanged, this, describe);
    describe();
}

} // namespace qb
