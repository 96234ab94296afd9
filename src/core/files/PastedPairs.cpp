#include "PastedPairs.h"

#include "engine/DataSet.h"

#include <QRegularExpression>
#include <QStringList>
#include <optional>

namespace qb {
namespace {

struct Line {
    int number = 0; // 1-based, counting empty lines, as the user's editor shows them
    QString text;
};

enum class Columns { Tab, Semicolon, Comma, Blanks };

std::vector<Line> NonEmptyLines(QStringView text) {
    static const QRegularExpression kLineBreak(QStringLiteral("\r\n|\r|\n"));
    std::vector<Line> lines;
    const QStringList all = text.toString().split(kLineBreak);
    for (int i = 0; i < all.size(); ++i) {
        const QString trimmed = all[i].trimmed();
        if (!trimmed.isEmpty()) {
            lines.push_back({i + 1, trimmed});
        }
    }
    return lines;
}

QStringList Cells(const QString& line, Columns columns) {
    static const QRegularExpression kBlanks(QStringLiteral("\\s+"));
    QStringList cells;
    switch (columns) {
    case Columns::Tab:
        cells = line.split(u'\t');
        break;
    case Columns::Semicolon:
        cells = line.split(u';');
        break;
    case Columns::Comma:
        cells = line.split(u',');
        break;
    case Columns::Blanks:
        return line.split(kBlanks, Qt::SkipEmptyParts);
    }
    for (QString& cell : cells) {
        cell = cell.trimmed();
        // CSV writers quote cells.
        if (cell.size() >= 2 && cell.startsWith(u'"') && cell.endsWith(u'"')) {
            cell = cell.mid(1, cell.size() - 2).trimmed();
        }
    }
    return cells;
}

// The cell as an entry text, or nullopt when it is not a number.
std::optional<QString> EntryText(const QString& cell, Columns columns) {
    static const QRegularExpression kWithComma(
        QStringLiteral("^([+-]?)(\\d+(?:[.,]\\d*)?|[.,]\\d+)(?:[eE]([+-]?\\d+))?$"));
    static const QRegularExpression kPointOnly(
        QStringLiteral("^([+-]?)(\\d+(?:\\.\\d*)?|\\.\\d+)(?:[eE]([+-]?\\d+))?$"));
    const QRegularExpressionMatch m =
        (columns == Columns::Comma ? kPointOnly : kWithComma).match(cell);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    QString text = (m.captured(1) == u"-" ? QStringLiteral("-") : QString()) + m.captured(2);
    text.replace(u',', u'.');
    if (m.hasCaptured(3)) {
        text += u'E' + m.captured(3);
    }
    return text;
}

bool IsHeader(const QString& line, Columns columns) {
    const QStringList cells = Cells(line, columns);
    const bool hasWords = line.contains(QRegularExpression(QStringLiteral("[^\\W\\d_]")));
    return hasWords && std::none_of(cells.begin(), cells.end(), [columns](const QString& c) {
               return EntryText(c, columns).has_value();
           });
}

PairsReading Refused(const QString& message) {
    return {{}, message};
}

PairsReading ReadWith(const std::vector<Line>& lines, Columns columns) {
    std::vector<PastedPair> pairs;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (i == 0 && IsHeader(line.text, columns)) {
            continue;
        }
        const QStringList cells = Cells(line.text, columns);
        QStringList texts;
        for (const QString& cell : cells) {
            const auto text = EntryText(cell, columns);
            if (!text) {
                return Refused(QStringLiteral("La riga %1 degli appunti contiene «%2», che non "
                                              "è un numero.")
                                   .arg(line.number)
                                   .arg(cell));
            }
            texts << *text;
        }
        if (cells.size() != 2) {
            const QString values = cells.size() == 1
                                       ? QStringLiteral("un solo valore")
                                       : QStringLiteral("%1 valori").arg(cells.size());
            return Refused(QStringLiteral("La riga %1 degli appunti ha %2: ne servono due, X e Y.")
                               .arg(line.number)
                               .arg(values));
        }
        pairs.push_back({texts[0], texts[1]});
    }
    if (pairs.empty()) {
        return Refused(QStringLiteral("Negli appunti non ci sono coppie di numeri da incollare."));
    }
    if (pairs.size() < size_t(kMinRowCount)) {
        return Refused(QStringLiteral("Negli appunti c'è una sola coppia: ne servono almeno %1.")
                           .arg(kMinRowCount));
    }
    if (pairs.size() > size_t(kRowCapacity)) {
        return Refused(QStringLiteral("Negli appunti ci sono %1 coppie: al massimo %2.")
                           .arg(pairs.size())
                           .arg(kRowCapacity));
    }
    return {pairs, {}};
}

} // namespace

PairsReading ReadPastedPairs(QStringView text) {
    const std::vector<Line> lines = NonEmptyLines(text);
    const auto anyLineHas = [&lines](QChar c) {
        return std::any_of(lines.begin(), lines.end(),
                           [c](const Line& l) { return l.text.contains(c); });
    };
    if (anyLineHas(u'\t')) {
        return ReadWith(lines, Columns::Tab);
    }
    if (anyLineHas(u';')) {
        return ReadWith(lines, Columns::Semicolon);
    }
    // "1,5 2,5" holds decimal commas, "1.5,2.5" comma-separated columns: commas separate the
    // columns only where that reading takes every line.
    if (anyLineHas(u',')) {
        PairsReading commaColumns = ReadWith(lines, Columns::Comma);
        if (commaColumns.Accepted()) {
            return commaColumns;
        }
    }
    return ReadWith(lines, Columns::Blanks);
}

} // namespace qb
