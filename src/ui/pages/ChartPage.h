#pragma once

#include "TabPage.h"

namespace qb {

class Analysis;
class ChartView;

// Page "3. Analisi Grafica": the chart's picture box, described for screen readers from the
// Analysis's figures each time it is drawn or cleared.
class ChartPage final : public TabPage {
public:
    explicit ChartPage(const Analysis& analysis, QWidget* parent = nullptr);
    ChartView* picFoglio() const { return view_; }

private:
    ChartView* view_;
};

} // namespace qb
