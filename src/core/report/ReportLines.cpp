#include "ReportLines.h"

#include "ResidualsText.h"
#include "UncertaintyText.h"
#include "numbers/DataText.h"
#include "numbers/NumberPattern.h"

#include <utility>

namespace qb {
namespace {

constexpr int kTitleSize = 18;
constexpr int kBodySize = 10;
// Nine columns of figures fit across the page a size smaller.
constexpr int kTableSize = 9;
constexpr int kLeftColumn = 10;
constexpr int kTitleColumn = 24;
constexpr int kMiddleColumn = 50;
constexpr int kRightColumn = 90;
constexpr int kRowsPerColumn = 10;
// The residuals' nine columns at the table's size: a digit is wider than the average character
// the columns are measured in, so a number of ten digits takes 14.
constexpr std::array<int, kResidualColumns> kResidualTabs = {10, 14, 27, 40, 52, 64, 79, 89, 100};

const NumberPattern kRowNumberPattern = NumberPattern::FromText("00");
const NumberPattern kItemNumberPattern = NumberPattern::FromText("####00");

class ReportBuilder {
public:
    explicit ReportBuilder(const AnalysisSnapshot& in) : in_(in) {}

    Report Build() {
        Title();
        FileLine();
        EmptyLines(3);
        DataSection();
        EmptyLines(3);
        if (HasFigures()) {
            StatisticsSection();
            EmptyLines(3);
            CoefficientsSection();
            if (in_.StatsValid() && !in_.history.isEmpty()) {
                EmptyLines(3);
                HistorySection();
            }
            if (in_.StatsValid() && in_.uncertainty) {
                EmptyLines(3);
                UncertaintySection(*in_.uncertainty);
                if (in_.residuals) {
                    EmptyLines(3);
                    ResidualsSection(*in_.residuals);
                }
            }
        }
        return std::move(report_);
    }

private:
    void Title() {
        Use(LineStyle::Title);
        EmptyLines(1);
        Line({{kTitleColumn, QStringLiteral("ANALISI STATISTICA")}});
        Use(LineStyle::Body);
    }

    void FileLine() {
        if (in_.fileName.isEmpty()) {
            EmptyLines(1);
        } else {
            Line({{kLeftColumn, QStringLiteral("File: ") + in_.fileName}});
        }
    }

    void DataSection() {
        Heading(QStringLiteral("1. DATI INSERITI (X / Y)"));
        for (int k = 0; k < kRowsPerColumn; ++k) {
            Line({RowPiece(kLeftColumn, k), RowPiece(kMiddleColumn, k + kRowsPerColumn),
                  RowPiece(kRightColumn, k + 2 * kRowsPerColumn)});
        }
    }

    ReportPiece RowPiece(int column, int row) const {
        return {column, Number(row + 1, kRowNumberPattern) + QStringLiteral(" = ") +
                            ReportCellText(in_.rows[row], in_.decimalSeparator)};
    }

    // A, B and R take no part: the report leaves out what a fresh invalidation zeroed.
    bool HasFigures() const {
        for (Figure f : {Figure::X, Figure::Y, Figure::X2, Figure::Y2, Figure::XY, Figure::SX,
                         Figure::SY, Figure::SXY}) {
            if (!in_.figures[f].IsZero()) {
                return true;
            }
        }
        return false;
    }

    void StatisticsSection() {
        Heading(QStringLiteral("2. DATI STATISTICI"));
        if (in_.StatsValid()) {
            Line({{kLeftColumn, QStringLiteral("Media X =  ") + Mean(Figure::X)},
                  {kMiddleColumn, QStringLiteral("Media Y = ") + Mean(Figure::Y)}});
        } else {
            Line({{kLeftColumn, QStringLiteral("Media X = ")},
                  {kMiddleColumn, QStringLiteral("Media Y =")}});
        }
        Line({{kLeftColumn, QStringLiteral("Media X2 = ") + Mean(Figure::X2)},
              {kMiddleColumn, QStringLiteral("Media Y2 = ") + Mean(Figure::Y2)},
              {kRightColumn, QStringLiteral("Media XY = ") + Mean(Figure::XY)}});
        Line({{kLeftColumn, QStringLiteral("SQM X = ") + Mean(Figure::SX)},
              {kMiddleColumn, QStringLiteral("SQM Y = ") + Mean(Figure::SY)},
              {kRightColumn, QStringLiteral("SQM XY = ") + Mean(Figure::SXY)}});
        Line({{kLeftColumn, QStringLiteral("Coefficiente di correlazione = ") +
                                FigureText(Figure::R, kCoefficientPattern)}});
    }

    void CoefficientsSection() {
        Heading(QStringLiteral("3. COEFFICIENTI RETTA DI QUANTORELLE (Y = aX + b)"));
        Line({{kLeftColumn, QStringLiteral("a = ") + Mean(Figure::A)},
              {kMiddleColumn, QStringLiteral("b = ") + Mean(Figure::B)}});
    }

    void HistorySection() {
        Heading(QStringLiteral("4. DATI CALCOLATI"));
        for (int i = 0; i < in_.history.size(); ++i) {
            Line({{kLeftColumn,
                   Number(i + 1, kItemNumberPattern) + QStringLiteral(": ") + in_.history[i]}});
        }
    }

    void UncertaintySection(const UncertaintyFigures& f) {
        Heading(QStringLiteral("5. INCERTEZZA DELLA STIMA"));
        Line({{kLeftColumn, QStringLiteral("Livello di confidenza: ") + LevelText(in_.level)}});
        const std::array<const CoefficientUncertainty*, 2> coefficients = {&f.slope, &f.intercept};
        const std::array<Figure, 2> estimates = {Figure::A, Figure::B};
        for (int row = 0; row < 2; ++row) {
            EmptyLines(1);
            Line({{kLeftColumn, kCoefficientNames[row]}});
            const auto cells = ShownCoefficient(FigureText(estimates[row], kCoefficientPattern),
                                                *coefficients[row], in_.decimalSeparator);
            Line({NamedValue(kLeftColumn, 0, cells), NamedValue(kMiddleColumn, 1, cells),
                  NamedValue(kRightColumn, 2, cells)});
            Line({NamedValue(kLeftColumn, 3, cells), NamedValue(kMiddleColumn, 4, cells)});
        }
        EmptyLines(1);
        const auto summaries = ShownSummaries(f, in_.decimalSeparator);
        for (int i = 0; i < kUncertaintySummaries; ++i) {
            Line({{kLeftColumn, kSummaryNames[i] + QStringLiteral(" = ") + summaries[i]}});
        }
        if (const QString note = UncertaintyNoteText(f.note); !note.isEmpty()) {
            Line({{kLeftColumn, note}});
        }
        HistoryIntervals();
    }

    static ReportPiece NamedValue(int column, int index,
                                  const std::array<QString, kCoefficientColumns>& cells) {
        return {column, kCoefficientHeadings[index] + QStringLiteral(" = ") + cells[index]};
    }

    // Each item predicted in this session, numbered as in section 4, with its two intervals.
    void HistoryIntervals() {
        bool first = true;
        for (int i = 0; i < in_.history.size() && i < in_.historyIntervals.size(); ++i) {
            const auto& item = in_.historyIntervals[i];
            if (!item) {
                continue;
            }
            if (std::exchange(first, false)) {
                EmptyLines(1);
                Line({{kLeftColumn, QStringLiteral("Intervalli dei dati calcolati:")}});
            }
            const PredictionIntervals& p = item->intervals;
            const QChar separator = in_.decimalSeparator;
            Line({{kLeftColumn,
                   Number(i + 1, kItemNumberPattern) + QStringLiteral(": ") + in_.history[i]}});
            Line({{kLeftColumn, MeanIntervalCaption(item->level) + u' ' +
                                    ShownInterval(p.meanLow, p.meanHigh, separator)}});
            Line({{kLeftColumn, NewIntervalCaption(item->level) + u' ' +
                                    ShownInterval(p.newLow, p.newHigh, separator)}});
        }
    }

    // The page's table, a report line a table line; the narrow columns' headings on two lines.
    void ResidualsSection(const ResidualFigures& f) {
        Heading(QStringLiteral("6. RESIDUI"));
        Use(LineStyle::Table);
        for (int part = 0; part < 2; ++part) {
            QList<ReportPiece> pieces;
            for (int c = 0; c < kResidualColumns; ++c) {
                if (const QString word = kResidualHeadings[c].section(u'\n', part, part);
                    !word.isEmpty()) {
                    pieces.append({kResidualTabs[c], word});
                }
            }
            Line(pieces);
        }
        for (const ResidualRow& row : f.rows) {
            const auto cells = ResidualCells(row, in_.rows, in_.decimalSeparator);
            QList<ReportPiece> pieces;
            for (int c = 0; c < kResidualColumns; ++c) {
                pieces.append({kResidualTabs[c], cells[c]});
            }
            Line(pieces);
        }
        Use(LineStyle::Body);
        if (const QString note = ResidualNoteText(f); !note.isEmpty()) {
            EmptyLines(1);
            Line({{kLeftColumn, note}});
        }
        if (const auto& all = f.withAll) {
            EmptyLines(1);
            Line({{kLeftColumn,
                   QStringLiteral("Senza le righe escluse: ") +
                       FitText(FigureText(Figure::A, kCoefficientPattern),
                               FigureText(Figure::B, kCoefficientPattern),
                               FigureText(Figure::R, kCoefficientPattern), in_.decimalSeparator)}});
            Line({{kLeftColumn, QStringLiteral("Con le righe escluse: ") +
                                    FitText(all->a, all->b, all->r, in_.decimalSeparator)}});
        }
    }

    // A figure's text; with the statistics invalid the labels stand alone.
    QString FigureText(Figure f, NumberPattern pattern) const {
        return in_.StatsValid() ? FormatNumber(in_.figures[f], pattern, in_.decimalSeparator)
                                : QString();
    }
    QString Mean(Figure f) const { return FigureText(f, kMeanPattern); }

    QString Number(int n, NumberPattern pattern) const {
        return FormatNumber(static_cast<double>(n), pattern, in_.decimalSeparator);
    }

    void Heading(const QString& text) {
        Use(LineStyle::Heading);
        Line({{kLeftColumn, text}});
        Use(LineStyle::Body);
        EmptyLines(1);
    }

    enum class LineStyle { Title, Heading, Body, Table };
    void Use(LineStyle style) {
        pointSize_ = style == LineStyle::Title   ? kTitleSize
                     : style == LineStyle::Table ? kTableSize
                                                 : kBodySize;
        bold_ = style == LineStyle::Title || style == LineStyle::Heading;
    }
    void Line(QList<ReportPiece> pieces) { report_.append({pointSize_, bold_, std::move(pieces)}); }
    void EmptyLines(int count) {
        for (int i = 0; i < count; ++i) {
            Line({});
        }
    }

    const AnalysisSnapshot& in_;
    Report report_;
    int pointSize_ = kTitleSize;
    bool bold_ = true;
};

} // namespace

QString ReportCellText(const DataRow& row, QChar decimalSeparator) {
    if (!row.active) {
        return {};
    }
    if (!row.used) {
        return QStringLiteral("Non utilizzato");
    }
    const QString cell = ShownDataText(row.x, decimalSeparator) + QStringLiteral(" / ") +
                         ShownDataText(row.y, decimalSeparator);
    return cell.trimmed() == u"/" ? QString() : cell;
}

Report ReportLines(const AnalysisSnapshot& analysis) {
    return ReportBuilder(analysis).Build();
}

} // namespace qb
