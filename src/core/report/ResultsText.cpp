#include "ResultsText.h"

#include "engine/StatisticsCaptions.h"

namespace qb {
namespace {

const QString kHistoryTitle = QStringLiteral("Elenco Dati Analizzati");

QString HtmlRow(const QString& name, const QString& value) {
    return QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
        .arg(name.toHtmlEscaped(), value.toHtmlEscaped());
}

// A history item "X = x / Y = y" as its two numbers; an item of another form (a data file may
// hold anything) stays whole in the first.
std::pair<QString, QString> HistoryPair(const QString& item) {
    static const QString kX = QStringLiteral("X = ");
    static const QString kY = QStringLiteral(" / Y = ");
    const qsizetype y = item.indexOf(kY);
    if (!item.startsWith(kX) || y < 0) {
        return {item, {}};
    }
    return {item.mid(kX.size(), y - kX.size()), item.mid(y + kY.size())};
}

} // namespace

ResultsText ResultsForClipboard(const std::array<QString, kFigureCount>& captions,
                                const QStringList& history) {
    ResultsText out;
    out.html = QStringLiteral("<table>");
    for (int f = 0; f < kFigureCount; ++f) {
        const QString name = FigureTitle(Figure(f));
        out.plain += name + u'\t' + captions[f] + u'\n';
        out.html += HtmlRow(name, captions[f]);
    }
    if (!history.isEmpty()) {
        // Spreadsheets take each column of numbers as numbers.
        out.plain += u'\n' + kHistoryTitle + QStringLiteral("\nX\tY\n");
        out.html +=
            QStringLiteral("<tr><th colspan=\"2\">%1</th></tr><tr><th>X</th><th>Y</th></tr>")
                .arg(kHistoryTitle);
        for (const QString& item : history) {
            const auto [x, y] = HistoryPair(item);
            out.plain += x + u'\t' + y + u'\n';
            out.html +=
                QStringLiteral("<tr><td align=\"right\">%1</td><td align=\"right\">%2</td></tr>")
                    .arg(x.toHtmlEscaped(), y.toHtmlEscaped());
        }
    }
    out.html += QStringLiteral("</table>");
    return out;
}

} // namespace qb
