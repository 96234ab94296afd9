#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace qb {

// One pair as the entry fields hold it: "." as decimal point, no "+", exponent as "E".
struct PastedPair {
    QString x;
    QString y;
    bool operator==(const PastedPair&) const = default;
};

// What the clipboard's text gives: the pairs, or why none are taken.
struct PairsReading {
    std::vector<PastedPair> pairs; // empty when refused
    QString refusal;               // the message for the user; empty when accepted

    bool Accepted() const { return refusal.isEmpty(); }
};

// Reads text as spreadsheets, instruments and editors copy it: one pair per line, columns
// separated by a tab, a semicolon, a comma or blanks, a decimal point or comma (a comma is a
// decimal separator unless it separates the columns), signs and exponents; a first line of
// words is a header and skipped, empty lines are ignored. Any other line must hold exactly two
// numbers, and there must be 2 to 30 pairs; otherwise nothing is taken.
PairsReading ReadPastedPairs(QStringView text);

} // namespace qb
