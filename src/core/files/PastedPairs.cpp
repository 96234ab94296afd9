#include "PastedPairs.h"

#include "HtmlTable.h"
#include "numbers/KeyFilter.h"
#include "numbers/TextValue.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <climits>
#include <optional>

namespace qb {
namespace {

constexpr std::array kMarks = {DecimalMark::Comma, DecimalMark::Point};

struct Line {
    int number = 0; // 1-based, counting empty lines, as the user's editor shows them
    QString text;
};

struct Layout {
    ColumnSeparator columns;
    DecimalMark decimals;
};

// A reading in progress: its pairs, or the refusal and how far it got.
struct Attempt {
    PairsReading reading;
    RefusedPaste refusal;
    int failedLine = INT_MAX; // a refusal of the whole text comes after every line's
};

bool IsBlankOutsideCells(QChar c) {
    return c.isSpace() && c != u'\t';
}

// The lines that hold something, trimmed of blanks but not of tabs, which separate (empty)
// cells; nullopt when there are more than a paste can hold.
std::optional<std::vector<Line>> NonEmptyLines(QStringView text) {
    std::vector<Line> lines;
    int number = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != u'\n' && text[i] != u'\r') {
            continue;
        }
        QStringView line = text.mid(start, i - start);
        if (!line.trimmed().isEmpty()) {
            while (IsBlankOutsideCells(line.front())) {
                line = line.mid(1);
            }
            while (IsBlankOutsideCells(line.back())) {
                line.chop(1);
            }
            if (int(lines.size()) == kPasteLineLimit) {
                return std::nullopt;
            }
            lines.push_back({number, line.toString()});
        }
        if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n') {
            ++i;
        }
        ++number;
        start = i + 1;
    }
    return lines;
}

// A line of words; an "e" after a digit is an exponent, not a word.
bool IsHeader(QStringView line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        const bool exponent = i > 0 && line[i - 1].isDigit() && line[i].toLower() == u'e';
        if (line[i].isLetter() && !exponent) {
            return true;
        }
    }
    return false;
}

bool IsColumnSeparator(QChar c, ColumnSeparator columns) {
    switch (columns) {
    case ColumnSeparator::Tab:
        return c == u'\t';
    case ColumnSeparator::Semicolon:
        return c == u';';
    case ColumnSeparator::Comma:
        return c == u',';
    case ColumnSeparator::Blanks:
        return c == u' ';
    }
    return false;
}

// The cells of a line, trimmed; CSV writers quote cells, so a separator within quotes is text.
QStringList Cells(QStringView line, ColumnSeparator columns) {
    QStringList cells(1);
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"') {
            quoted = !quoted;
        }
        if (quoted || !IsColumnSeparator(line[i], columns)) {
            cells.back() += line[i];
        } else if (columns != ColumnSeparator::Blanks || !cells.back().isEmpty()) {
            cells.append(QString());
        }
    }
    for (QString& cell : cells) {
        cell = cell.trimmed();
        if (cell.size() >= 2 && cell.startsWith(u'"') && cell.endsWith(u'"')) {
            cell = cell.mid(1, cell.size() - 2).trimmed();
        }
    }
    return cells;
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool IsMinus(QChar c) {
    return c == u'-' || c == QChar(0x2212) || c == QChar(0x2012); // minus sign, figure dash
}
QChar MarkChar(DecimalMark mark) {
    return mark == DecimalMark::Comma ? u',' : u'.';
}
bool IsGroupSeparator(QChar c, DecimalMark mark) {
    return c == MarkChar(mark == DecimalMark::Comma ? DecimalMark::Point : DecimalMark::Comma) ||
           c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

// The cell with its own separators settled, for the number grammar: minus signs as "-", the
// thousands' groups joined and the decimal mark as "."; nullopt when a separator or a blank
// stands where this mark allows none.
std::optional<QString> SettledCell(QStringView cell, DecimalMark mark) {
    QString settled;
    qsizetype i = 0;
    if (i < cell.size() && (cell[i] == u'+' || IsMinus(cell[i]))) {
        settled += IsMinus(cell[i++]) ? u'-' : u'+';
    }
    // Groups of three digits after the first, of one to three that does not start with 0.
    const qsizetype firstDigit = settled.size();
    int groupDigits = 0;
    bool grouped = false;
    for (; i < cell.size(); ++i) {
        if (IsDigit(cell[i])) {
            settled += cell[i];
            ++groupDigits;
        } else if (IsGroupSeparator(cell[i], mark) && groupDigits > 0 && groupDigits <= 3 &&
                   (!grouped || groupDigits == 3) && settled[firstDigit] != u'0') {
            grouped = true;
            groupDigits = 0;
        } else {
            break;
        }
    }
    if (grouped && groupDigits != 3) {
        return std::nullopt;
    }
    if (i < cell.size() && cell[i] == MarkChar(mark)) {
        // "7." is how instruments write a whole number; "1," ends with a separator.
        if (mark == DecimalMark::Comma && (i + 1 == cell.size() || !IsDigit(cell[i + 1]))) {
            return std::nullopt;
        }
        settled += u'.';
        ++i;
    }
    for (; i < cell.size(); ++i) {
        if (IsGroupSeparator(cell[i], mark) || cell[i].isSpace()) {
            return std::nullopt;
        }
        settled += IsMinus(cell[i]) ? QChar(u'-') : cell[i];
    }
    return settled;
}

// The keys that type the number into a field: the exponent shifts the point, so that the
// field holds the same decimal number without one. Past a field's length the exponent need
// not be followed further.
QString Keys(const WrittenDecimal& number) {
    const QString sign = number.negative ? QStringLiteral("-") : QString();
    const QString digits = QString::fromLatin1(number.integerDigits + number.fractionDigits);
    const auto integerDigits = qsizetype(number.integerDigits.size());
    const long long exponent =
        std::clamp<long long>(number.exponent, -kEntryTextLimit, kEntryTextLimit);
    if (exponent == 0) {
        return sign + digits.left(integerDigits) +
               (number.hasPoint ? u'.' + digits.mid(integerDigits) : QString());
    }
    const long long point = integerDigits + exponent;
    if (point <= 0) {
        return sign + QStringLiteral("0.") + QString(qsizetype(-point), u'0') + digits;
    }
    if (point >= digits.size()) {
        return sign + digits + QString(qsizetype(point - digits.size()), u'0');
    }
    return sign + digits.left(qsizetype(point)) + u'.' + digits.mid(qsizetype(point));
}

// The cell as keys to type, or nullopt when it is not a number with this decimal mark.
std::optional<QString> CellKeys(QStringView cell, DecimalMark mark) {
    const auto settled = SettledCell(cell, mark);
    const auto number = settled ? WholeDecimal(*settled) : std::nullopt;
    return number ? std::optional(Keys(*number)) : std::nullopt;
}

Attempt FailedAt(const Line& line, RefusedPaste refusal) {
    refusal.line = line.number;
    return {{}, refusal, line.number};
}

// The cell as a field's text, or why it is refused.
std::optional<QString> EntryText(const QString& cell, DecimalMark mark, RefusedPaste& refusal) {
    const auto keys = CellKeys(cell, mark);
    const auto text = keys ? TypedEntryText(*keys) : std::nullopt;
    if (!text) {
        refusal = {.why = PasteRefusal::NotANumber, .cell = cell};
    } else if (text->size() > kEntryTextLimit) {
        refusal = {.why = PasteRefusal::TooLongNumber};
    } else {
        return text;
    }
    return std::nullopt;
}

Attempt ReadAs(const std::vector<Line>& lines, Layout layout) {
    Attempt attempt{{{}, layout.columns, layout.decimals}, {}};
    for (const Line& line : lines) {
        const QStringList cells = Cells(line.text, layout.columns);
        if (cells.contains(QString())) {
            return FailedAt(line, {.why = PasteRefusal::EmptyCell});
        }
        QStringList texts;
        for (const QString& cell : cells) {
            RefusedPaste refusal;
            const auto text = EntryText(cell, layout.decimals, refusal);
            if (!text) {
                return FailedAt(line, refusal);
            }
            texts << *text;
        }
        if (texts.size() != 2) {
            return FailedAt(line, texts.size() == 1 ? RefusedPaste{.why = PasteRefusal::OneValue}
                                                    : RefusedPaste{.why = PasteRefusal::ManyValues,
                                                                   .count = int(texts.size())});
        }
        attempt.reading.pairs.push_back({texts[0], texts[1]});
    }
    const size_t count = attempt.reading.pairs.size();
    if (count == 0) {
        attempt.refusal = {.why = PasteRefusal::NoPairs};
    } else if (count < size_t(kMinRowCount)) {
        attempt.refusal = {.why = PasteRefusal::OnePair};
    } else if (count > size_t(kRowCapacity)) {
        attempt.refusal = {.why = PasteRefusal::TooManyPairs, .count = int(count)};
    }
    return attempt;
}

// Tabs and semicolons never stand inside a number, so either settles the columns; a comma or
// a blank may be part of one.
std::vector<Layout> PossibleLayouts(const std::vector<Line>& lines) {
    const auto anyLineHas = [&lines](QChar c) {
        return std::any_of(lines.begin(), lines.end(),
                           [c](const Line& l) { return l.text.contains(c); });
    };
    for (const auto columns : {ColumnSeparator::Tab, ColumnSeparator::Semicolon}) {
        if (anyLineHas(columns == ColumnSeparator::Tab ? u'\t' : u';')) {
            return {{columns, DecimalMark::Comma}, {columns, DecimalMark::Point}};
        }
    }
    return {{ColumnSeparator::Blanks, DecimalMark::Comma},
            {ColumnSeparator::Blanks, DecimalMark::Point},
            {ColumnSeparator::Comma, DecimalMark::Point}};
}

// Every line read whole as one number, with a decimal comma or blanks grouping its thousands.
bool IsOneColumn(const std::vector<Line>& lines) {
    return !lines.empty() && std::any_of(kMarks.begin(), kMarks.end(), [&lines](DecimalMark m) {
        return std::all_of(lines.begin(), lines.end(),
                           [m](const Line& l) { return CellKeys(l.text, m).has_value(); });
    });
}

PasteOutcome Refused(const RefusedPaste& refusal) {
    return {{}, PasteCertainty::Settled, refusal};
}

} // namespace

PasteOutcome ReadPastedPairs(QStringView text) {
    if (text.startsWith(QChar(0xFEFF))) {
        text = text.mid(1);
    }
    auto lines = NonEmptyLines(text);
    if (!lines) {
        return Refused({.why = PasteRefusal::TooManyLines});
    }
    // The header may be written with other separators than the data, so it chooses none.
    if (!lines->empty() && IsHeader(lines->front().text)) {
        lines->erase(lines->begin());
    }
    PasteOutcome outcome;
    Attempt furthest;
    for (const Layout layout : PossibleLayouts(*lines)) {
        Attempt attempt = ReadAs(*lines, layout);
        if (attempt.refusal.why != PasteRefusal::None) {
            if (furthest.refusal.why == PasteRefusal::None ||
                attempt.failedLine > furthest.failedLine) {
                furthest = attempt;
            }
        } else if (std::none_of(outcome.readings.begin(), outcome.readings.end(),
                                [&attempt](const PairsReading& r) {
                                    return r.pairs == attempt.reading.pairs;
                                })) {
            outcome.readings.push_back(attempt.reading);
        }
    }
    // Where a comma can be the decimal comma of one column, it is; blanks that can group
    // thousands leave the user to confirm the columns.
    if (IsOneColumn(*lines)) {
        const bool commas = std::any_of(lines->begin(), lines->end(),
                                        [](const Line& l) { return l.text.contains(u','); });
        if (commas || outcome.readings.empty()) {
            return Refused(FailedAt(lines->front(), {.why = PasteRefusal::OneValue}).refusal);
        }
        outcome.certainty = PasteCertainty::Guessed;
    }
    if (outcome.readings.empty()) {
        return Refused(furthest.refusal);
    }
    return outcome;
}

PasteOutcome ReadPastedPairs(const ClipboardText& offered) {
    if (offered.bytes > kPasteByteLimit) {
        // Only a lower bound may be known: an incremental transfer is not read to its end.
        return Refused({.why = PasteRefusal::TooLarge});
    }
    if (offered.plain.trimmed().isEmpty() && !offered.html.isEmpty()) {
        return ReadPastedPairs(HtmlTableText(offered.html));
    }
    return ReadPastedPairs(offered.plain);
}

} // namespace qb
