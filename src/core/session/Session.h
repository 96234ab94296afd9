#pragma once

#include "DocumentCommands.h"
#include "engine/DataSet.h"
#include "engine/Uncertainty.h"

#include <QString>
#include <functional>

namespace qb {

class Analysis;
enum class BandsDisplay;
class Clipboard;
class PastePreview;
class RecordingSurface;
class ReportPrinter;

// What the commands ask of the desktop.
struct SessionServices {
    FileDialog& files;
    OverwriteQuestion& overwrite;
    PastePreview& pastePreview;
    Clipboard& clipboard;
    ReportPrinter& printer;
};

// The program's commands on the Analysis and the chart's drawing: the tab switch that computes
// the figures and draws the chart, the File and Edit menus, and the prediction. Each returns
// what changed and what to tell; none shows anything.
class Session {
public:
    // The chart is drawn on `chart`, the residual plot on `residualPlot`.
    Session(Analysis& analysis, RecordingSurface& chart, RecordingSurface& residualPlot,
            SessionServices services);

    DocumentCommands& Documents() { return documents_; }

    // The figures, and the chart where the page needs it, made current for the page switched
    // to; when they cannot be, every result page is emptied and the figures invalidated.
    Outcome SwitchTo(Page page);
    // Figures invalidated and every result page emptied.
    Outcome ClearResultPages();
    Outcome New();
    Outcome PastePairs();
    void CopyResults();
    void CopyChart(const std::function<QByteArray(ChartFormat)>& render);
    // Straight to the default printer: no question, no message, and no change of state.
    void Print();
    // "Calcola": the Y the line gives for the typed X joins the history.
    Outcome Predict(const QString& xText);
    // "Cancella", also the history.
    Outcome ClearPrediction();
    // The level and the bands redraw a current chart and invalidate nothing.
    void ChooseLevel(ConfidenceLevel level);
    void ChooseBands(BandsDisplay bands);

    bool ResultsCopyable() const;
    // Whether the drawing is the chart of the rows as they are: a failed chart empties the
    // drawing, and an edit after it makes it stale.
    bool ChartCurrent() const;
    // The same for the residual plot.
    bool ResidualPlotCurrent() const;

private:
    enum class ChartResult { Drawn, Failed };

    ChartResult DrawChart(Outcome& outcome);
    void DrawBandsOnChart();
    void RedrawChart();
    ChartResult DrawResidualPlot();
    void ClearResults();

    Analysis& analysis_;
    RecordingSurface& chart_;
    SessionServices services_;
    DocumentCommands documents_;
    DataSet chartRows_; // the rows the drawing was made from
    RecordingSurface& residualPlot_;
    DataSet residualRows_; // the rows the residual plot was made from
};

} // namespace qb
