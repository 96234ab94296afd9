#include "Session.h"

#include "chart/ChartBands.h"
#include "chart/ChartDrawing.h"
#include "chart/Quadro.h"
#include "chart/RecordingSurface.h"
#include "chart/ResidualPlot.h"
#include "engine/Prediction.h"
#include "model/Analysis.h"
#include "platform/Clipboard.h"
#include "platform/ReportPrinter.h"
#include "report/ReportLines.h"
#include "report/ResultsText.h"

#include <algorithm>
#include <array>

namespace qb {
namespace {

enum class Drawing { NotNeeded, Needed, WithResidualPlot };

struct ResultPage {
    Page page;
    Drawing chart;
};

// The pages that show figures and what each needs before it is shown: the pages after the
// chart's keep its drawing current too, so that a chart that cannot be drawn empties them all;
// the residuals' page draws its own plot as well, which fails the same way.
constexpr std::array kResultPages = {
    ResultPage{Page::StatisticsTab, Drawing::NotNeeded},
    ResultPage{Page::ChartTab, Drawing::Needed},
    ResultPage{Page::PredictionTab, Drawing::Needed},
    ResultPage{Page::UncertaintyTab, Drawing::Needed},
    ResultPage{Page::ResidualsTab, Drawing::WithResidualPlot},
};

} // namespace

Session::Session(Analysis& analysis, RecordingSurface& chart, RecordingSurface& residualPlot,
                 SessionServices services)
    : analysis_(analysis), chart_(chart), services_(services),
      documents_(analysis, services.files, services.overwrite), residualPlot_(residualPlot) {}

Outcome Session::SwitchTo(Page page) {
    const auto* shown = std::ranges::find(kResultPages, page, &ResultPage::page);
    if (shown == kResultPages.end()) {
        return {};
    }
    Outcome outcome{.change = PageChange::ResultsShown};
    if (!analysis_.ComputeStatistics() ||
        (shown->chart != Drawing::NotNeeded && DrawChart(outcome) == ChartResult::Failed) ||
        (shown->chart == Drawing::WithResidualPlot && DrawResidualPlot() == ChartResult::Failed)) {
        outcome.change = ClearResultPages().change;
    }
    return outcome;
}

Session::ChartResult Session::DrawChart(Outcome& outcome) {
    const Extremes& e = analysis_.Limits();
    const auto xMin = NarrowToFloat(e.XMin);
    const auto xMax = NarrowToFloat(e.XMax);
    const auto yMin = NarrowToFloat(e.YMin);
    const auto yMax = NarrowToFloat(e.YMax);
    // Limits beyond the 32-bit range cannot be drawn: the chart fails without a message.
    if (!xMin || !xMax || !yMin || !yMax) {
        return ChartResult::Failed;
    }
    const auto format = QString::fromLatin1(kChartTickFormat);
    const QuadroResult frame = Quadro(chart_, {.xMin = *xMin,
                                               .xMax = *xMax,
                                               .yMin = *yMin,
                                               .yMax = *yMax,
                                               .formatX = format,
                                               .formatY = format,
                                               .title = {},
                                               .labelX = QStringLiteral("Serie X"),
                                               .labelY = QStringLiteral("Serie Y"),
                                               .decimalSeparator = analysis_.DecimalSeparator()});
    // The scale errors are told; the other failures are silent.
    if (frame == QuadroResult::ScaleErrorX || frame == QuadroResult::ScaleErrorY) {
        outcome.notice =
            frame == QuadroResult::ScaleErrorX ? Notice::ScaleErrorX : Notice::ScaleErrorY;
    }
    chartRows_ = analysis_.Rows();
    const bool drawn = frame == QuadroResult::Drawn && PlotPoints(chart_, analysis_.Rows()) &&
                       DrawRegressionLine(chart_, e, analysis_.Figures());
    if (drawn && analysis_.Bands() == BandsDisplay::Shown) {
        DrawBandsOnChart();
    }
    return drawn ? ChartResult::Drawn : ChartResult::Failed;
}

void Session::DrawBandsOnChart() {
    const auto& uncertainty = analysis_.LineUncertainty();
    if (const auto area = PlotAreaOf(chart_); area && uncertainty) {
        DrawBands(chart_, *area, analysis_.Limits(), analysis_.Figures(), *uncertainty,
                  analysis_.Level());
    }
}

void Session::ChooseLevel(ConfidenceLevel level) {
    analysis_.SetLevel(level);
    RedrawChart();
}

void Session::ChooseBands(BandsDisplay bands) {
    analysis_.SetBands(bands);
    RedrawChart();
}

// A chart of the rows as they are was drawn from figures that are still valid.
void Session::RedrawChart() {
    if (ChartCurrent()) {
        Outcome unchanged;
        DrawChart(unchanged);
    }
}

Session::ChartResult Session::DrawResidualPlot() {
    residualRows_ = analysis_.Rows();
    const auto& residuals = analysis_.Residuals();
    const bool drawn =
        residuals &&
        PlotResiduals(residualPlot_, {.rows = analysis_.Rows(),
                                      .figures = *residuals,
                                      .extremes = analysis_.Limits(),
                                      .decimalSeparator = analysis_.DecimalSeparator()});
    return drawn ? ChartResult::Drawn : ChartResult::Failed;
}

Outcome Session::ClearResultPages() {
    analysis_.InvalidateStatistics();
    ClearResults();
    return {.change = PageChange::ResultsCleared};
}

void Session::ClearResults() {
    analysis_.ClearResultCaptions();
    chart_.Clear();
    residualPlot_.Clear();
    analysis_.ClearHistory();
}

Outcome Session::New() {
    ClearResults();
    analysis_.SetLevel(ConfidenceLevel::Percent95);
    analysis_.SetBands(BandsDisplay::Hidden);
    return documents_.New();
}

Outcome Session::PastePairs() {
    return documents_.PastePairs(services_.clipboard, services_.pastePreview);
}

void Session::CopyResults() {
    const ResultsText results =
        ResultsForClipboard(analysis_.ResultCaptions(), analysis_.Snapshot());
    services_.clipboard.SetText(results.plain, results.html);
}

void Session::CopyChart(const std::function<QByteArray(ChartFormat)>& render) {
    services_.clipboard.SetImage(render(ChartFormat::Png));
}

void Session::Print() {
    services_.printer.Print(ReportLines(analysis_.Snapshot()));
}

Outcome Session::Predict(const QString& xText) {
    const auto prediction =
        qb::Predict(xText, analysis_.ValidFigures(), analysis_.DecimalSeparator());
    if (!prediction) {
        return {.change = PageChange::PredictionRefused, .notice = Notice::DataError};
    }
    analysis_.SetPredictedX(prediction->x);
    const auto intervals = analysis_.IntervalsAtPrediction();
    analysis_.AppendHistoryItem(
        prediction->item,
        intervals ? std::optional(ItemIntervals{analysis_.Level(), *intervals}) : std::nullopt);
    return {.change = PageChange::Predicted, .detail = prediction->y};
}

Outcome Session::ClearPrediction() {
    analysis_.ClearHistory();
    return {.change = PageChange::PredictionCleared};
}

bool Session::ResultsCopyable() const {
    return analysis_.StatsValid() && !analysis_.ResultCaptions()[0].isEmpty();
}

bool Session::ChartCurrent() const {
    return !chart_.Commands().empty() && chartRows_ == analysis_.Rows();
}

bool Session::ResidualPlotCurrent() const {
    return !residualPlot_.Commands().empty() && residualRows_ == analysis_.Rows();
}

} // namespace qb
