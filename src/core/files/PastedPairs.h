#pragma once

#include "engine/DataSet.h"
#include "platform/Clipboard.h"
#include "platform/PastePreview.h"

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

// The pairs that a text gives under one column separator and decimal mark.
struct PairsReading {
    std::vector<PastedPair> pairs;
    ColumnSeparator columns = ColumnSeparator::Tab;
    DecimalMark decimals = DecimalMark::Comma;
};

// Whether the text alone settles its reading or the user has to confirm it.
enum class PasteCertainty { Settled, Guessed };

// Why a paste is refused; it is taken whole or not at all.
enum class PasteRefusal {
    None,
    TooLarge,     // more than kPasteByteLimit bytes, left unread
    TooManyLines, // more than kPasteLineLimit lines hold something
    NoPairs,
    OnePair,
    TooManyPairs,  // `count` pairs
    EmptyCell,     // on `line`
    NotANumber,    // `cell` on `line`
    TooLongNumber, // on `line`, longer than a field holds
    OneValue,      // on `line`
    ManyValues,    // `count` values on `line`
};

// A refusal with what its message names; the window words it.
struct RefusedPaste {
    PasteRefusal why = PasteRefusal::None;
    int line = 0; // 1-based, counting empty lines, as the user's editor shows them
    int count = 0;
    QString cell{}; // whole: the message shortens it

    bool operator==(const RefusedPaste&) const = default;
};

// What the clipboard's text gives: the sound readings, or why none is taken.
struct PasteOutcome {
    std::vector<PairsReading> readings; // empty when refused
    PasteCertainty certainty = PasteCertainty::Settled;
    RefusedPaste refusal{};

    bool Accepted() const { return refusal.why == PasteRefusal::None; }
    bool NeedsChoice() const { return readings.size() > 1 || certainty == PasteCertainty::Guessed; }
};

// Room for 30 pairs of the longest numbers a field holds; anything larger is refused unread.
inline constexpr qsizetype kPasteByteLimit = 2 * 1024 * 1024;
// The pairs and a header.
inline constexpr int kPasteLineLimit = kRowCapacity + 1;

// Reads text as spreadsheets, instruments and editors copy it: one pair per line, columns
// separated by tabs, semicolons, commas or blanks, a decimal comma or point with the other
// grouping thousands (blanks, U+00A0 and U+202F group them in both), signs and exponents; a
// first line of words is a header and skipped, empty lines are ignored. The separators hold
// for the whole text; where it allows several readings, each is returned. Any other line must
// hold exactly two numbers, and there must be 2 to 30 pairs; otherwise nothing is taken.
PasteOutcome ReadPastedPairs(QStringView text);
// The clipboard's plain text, or its HTML table when it offers nothing else.
PasteOutcome ReadPastedPairs(const ClipboardText& offered);

} // namespace qb
