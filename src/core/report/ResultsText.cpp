#include "ResultsText.h"

#include "engine/StatisticsCaptions.h"

namespace qb {
namespace {

const QString kHistoryTitle = QStringLiteral("Elenco Dati Analizzati");

QString HtmlRow(const QString& name, const QString& value) {
    return QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td></tr>")
        .arg(name.toHtmlEscaped(), value.toHtmlEscaped());
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
    out.html += QStringLiteral("</table>");
    if (!history.isEmpty()) {
        out.plain += u'\n' + kHistoryTitle + u'\n';
        out.html += QStringLiteral("<p>%1</p><ul>").arg(kHistoryTitle);
        for (const QString& item : history) {
            out.plain += item + u'\n';
            out.html += QStringLiteral("<li>%1</li>").arg(item.toHtmlEscaped());
        }
        out.html += QStringLiteral("</ul>");
    }
    return out;
}

} // namespace qb
