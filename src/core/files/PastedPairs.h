#pragma once

#include "platform/Clipboard.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace qb {

// One pair as the entry fields hold it, as if typed key by key: "." as decimal point, no
// grouping, no "+", no exponent.
struct PastedPair {
    QString x;
    QString y;
    bool operator==(const PastedPair&) const = default;
};

enum class ColumnSeparator { Tab, Semicolon, Comma, Blanks };
// The decimal mark; the other of "," and "." groups the thousands.
enum class DecimalMark { Comma, Point };

// The pairs that a text gives under one column separator and decimal mark.
struct PairsReading {
    std::vector<PastedPair> pairs;
    ColumnSeparator columns = ColumnSeparator::Tab;
    DecimalMark decimals = DecimalMark::Comma;
};

// Whether the text alone settles its reading or the user has to confirm it.
enum class PasteCertainty { Settled, Guessed };

// What the clipboard's text gives: the sound readings, or why none is taken.
struct PasteOutcome {
    std::vector<PairsReading> readings; // empty when refused
    PasteCertainty certainty = PasteCertainty::Settled;
    QString refusal; // the message for the user; empty when accepted

    bool Accepted() const { return refusal.isEmpty(); }
    bool NeedsChoice() const { return readings.size() > 1 || certainty == PasteCertainty::Guessed; }
};

// Room for 30 pairs of the longest numbers a field holds; anything larger is refused unread.
inline constexpr qsizetype kPasteByteLimit = 2 * 1024 * 1024;

// Reads text as spreadsheets, instruments and editors copy it: one pair per line, columns
// separated by tabs, semicolons, commas or blanks, a decimal comma or point with the other
// grouping thousands (blanks, U+00A0 and U+202F group them in both), signs and exponents; a
// first line of words is a header and skipped, empty lines are ignored. The separators hold
// for the whole text; where it allows several readings, each is returned. Any other line must
// hold exactly two numbers, and there must be 2 to 30 pairs; otherwise nothing is taken.
PasteOutcome ReadPastedPairs(QStringView text);
// The clipboard's plain text, or its HTML table when it offers nothing else.
PasteOutcome ReadPastedPairs(const ClipboardText& offered);

// What a reading assumes, for the user to choose among readings.
QString Assumption(const PairsReading& reading);

} // namespace qb
