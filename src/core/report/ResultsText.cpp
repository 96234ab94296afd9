#include "ResultsText.h"

#include "ResidualsText.h"
#include "UncertaintyText.h"
#include "engine/StatisticsCaptions.h"

namespace qb {
namespace {

const QString kHistoryTitle = QStringLiteral("Elenco Dati Analizzati");
const QStringList kIntervalHeadings = {
    QStringLiteral("Livello"), QStringLiteral("Media di Y, estremo inferiore"),
    QStringLiteral("Media di Y, estremo superiore"), QStringLiteral("Nuovo Y, estremo inferiore"),
    QStringLiteral("Nuovo Y, estremo superiore")};

// Spreadsheets take each column of numbers as numbers: one line of the text a row of cells.
class TableWriter {
public:
    // A figure: its name on the left, its values right-aligned beside it.
    void Named(const QString& name, const QStringList& values) {
        out_.plain += (QStringList{name} + values).join(u'\t') + u'\n';
        out_.html += QStringLiteral("<tr><td>%1</td>").arg(name.toHtmlEscaped());
        Cells(values, QStringLiteral("td align=\"right\""));
    }
    void Numbers(const QStringList& values) {
        out_.plain += values.join(u'\t') + u'\n';
        out_.html += QStringLiteral("<tr>");
        Cells(values, QStringLiteral("td align=\"right\""));
    }
    void Title(const QString& title, const QStringList& headings) {
        out_.plain += u'\n' + title + u'\n' + headings.join(u'\t') + u'\n';
        out_.html += QStringLiteral("<tr><th colspan=\"%1\">%2</th></tr><tr>")
                         .arg(headings.size())
                         .arg(title.toHtmlEscaped());
        Cells(headings, QStringLiteral("th"));
    }
    // A sentence that stands alone in its line.
    void Note(const QString& text) {
        out_.plain += text + u'\n';
        out_.html += QStringLiteral("<tr><td colspan=\"3\">%1</td></tr>").arg(text.toHtmlEscaped());
    }
    ResultsText Finish() {
        out_.html = QStringLiteral("<table>") + out_.html + QStringLiteral("</table>");
        return std::move(out_);
    }

private:
    void Cells(const QStringList& values, const QString& tag) {
        const QString end = tag.section(u' ', 0, 0);
        for (const QString& value : values) {
            out_.html += QStringLiteral("<%1>%2</%3>").arg(tag, value.toHtmlEscaped(), end);
        }
        out_.html += QStringLiteral("</tr>");
    }

    ResultsText out_;
};

// A history item "X = x / Y = y" as its two numbers; an item of another form (a data file may
// hold anything) stays whole in the first.
QStringList HistoryPair(const QString& item) {
    static const QString kX = QStringLiteral("X = ");
    static const QString kY = QStringLiteral(" / Y = ");
    const qsizetype y = item.indexOf(kY);
    if (!item.startsWith(kX) || y < 0) {
        return {item, {}};
    }
    return {item.mid(kX.size(), y - kX.size()), item.mid(y + kY.size())};
}

// An interval as two cells, "—" in both where it is not defined.
QStringList IntervalCells(const FigureText& low, const FigureText& high, QChar separator) {
    const bool defined = low && high;
    return {ShownFigure(defined ? low : std::nullopt, separator),
            ShownFigure(defined ? high : std::nullopt, separator)};
}

void WriteUncertainty(TableWriter& table, const UncertaintyFigures& f, const AnalysisSnapshot& in,
                      const std::array<QString, kFigureCount>& captions) {
    const QChar separator = in.decimalSeparator;
    table.Named(QStringLiteral("Livello di confidenza"), {LevelText(in.level)});
    const std::array<const CoefficientUncertainty*, 2> coefficients = {&f.slope, &f.intercept};
    const std::array<Figure, 2> estimates = {Figure::A, Figure::B};
    for (int row = 0; row < 2; ++row) {
        const CoefficientUncertainty& c = *coefficients[row];
        const auto cells = ShownCoefficient(captions[int(estimates[row])], c, separator);
        // The estimate is already among the statistics' lines, the interval is two cells.
        for (int column = 1; column < kCoefficientColumns - 1; ++column) {
            table.Named(kCoefficientNames[row] + QStringLiteral(", ") +
                            kCoefficientHeadings[column],
                        {cells[column]});
        }
        table.Named(kCoefficientNames[row] + QStringLiteral(", ") +
                        kCoefficientHeadings[kCoefficientColumns - 1],
                    IntervalCells(c.low, c.high, separator));
    }
    const auto summaries = ShownSummaries(f, separator);
    for (int i = 0; i < kUncertaintySummaries; ++i) {
        table.Named(kSummaryNames[i], {summaries[i]});
    }
    if (const QString note = UncertaintyNoteText(f.note); !note.isEmpty()) {
        table.Note(note);
    }
}

void WriteHistory(TableWriter& table, const AnalysisSnapshot& in) {
    const auto& intervals = in.historyIntervals;
    const bool anyIntervals =
        std::ranges::any_of(intervals, [](const auto& item) { return item.has_value(); });
    table.Title(kHistoryTitle, QStringList{QStringLiteral("X"), QStringLiteral("Y")} +
                                   (anyIntervals ? kIntervalHeadings : QStringList()));
    for (int i = 0; i < in.history.size(); ++i) {
        QStringList cells = HistoryPair(in.history[i]);
        if (i < intervals.size() && intervals[i]) {
            const PredictionIntervals& p = intervals[i]->intervals;
            cells << LevelText(intervals[i]->level)
                  << IntervalCells(p.meanLow, p.meanHigh, in.decimalSeparator)
                  << IntervalCells(p.newLow, p.newHigh, in.decimalSeparator);
        }
        table.Numbers(cells);
    }
}

void WriteResiduals(TableWriter& table, const ResidualFigures& f, const AnalysisSnapshot& in,
                    const std::array<QString, kFigureCount>& captions) {
    QStringList headings;
    for (const QString& heading : kResidualHeadings) {
        headings << QString(heading).replace(u'\n', u' ');
    }
    table.Title(QStringLiteral("Residui"), headings);
    for (const ResidualRow& row : f.rows) {
        const auto cells = ResidualCells(row, in.rows, in.decimalSeparator);
        table.Numbers(QStringList(cells.begin(), cells.end()));
    }
    if (const QString note = ResidualNoteText(f); !note.isEmpty()) {
        table.Note(note);
    }
    if (const auto& all = f.withAll) {
        table.Named(QStringLiteral("Senza le righe escluse: a, b, r"),
                    {captions[int(Figure::A)], captions[int(Figure::B)], captions[int(Figure::R)]});
        table.Named(QStringLiteral("Con le righe escluse: a, b, r"),
                    {ShownFigure(all->a, in.decimalSeparator),
                     ShownFigure(all->b, in.decimalSeparator),
                     ShownFigure(all->r, in.decimalSeparator)});
    }
}

} // namespace

ResultsText ResultsForClipboard(const std::array<QString, kFigureCount>& captions,
                                const AnalysisSnapshot& analysis) {
    TableWriter table;
    for (int f = 0; f < kFigureCount; ++f) {
        table.Named(FigureTitle(Figure(f)), {captions[f]});
    }
    if (analysis.uncertainty) {
        WriteUncertainty(table, *analysis.uncertainty, analysis, captions);
    }
    if (!analysis.history.isEmpty()) {
        WriteHistory(table, analysis);
    }
    if (analysis.uncertainty && analysis.residuals) {
        WriteResiduals(table, *analysis.residuals, analysis, captions);
    }
    return table.Finish();
}

} // namespace qb
