#include "ChartPage.h"

#include "ChartView.h"

namespace qb {

ChartPage::ChartPage(QWidget* parent)
    : TabPage(parent), view_(Place(new ChartView(TwipsRect(0, 0, 11355, 7215).size(), canvas()),
                                   430, 600, 11355, 7215)) {}

} // namespace qb
