#pragma once

#include "app/TabPage.h"

namespace qb {

class ChartView;

// Page "3. Analisi Grafica": the chart's picture box.
class ChartPage final : public TabPage {
public:
    explicit ChartPage(QWidget* parent = nullptr);
    ChartView* picFoglio() const { return view_; }

private:
    ChartView* view_;
};

} // namespace qb
