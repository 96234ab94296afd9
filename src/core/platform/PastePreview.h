#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace qb {

enum class ColumnSeparator { Tab, Semicolon, Comma, Blanks };
// The decimal mark; the other of "," and "." groups the thousands.
enum class DecimalMark { Comma, Point };

// One way of reading a paste: what it assumes and the pairs it gives.
struct PasteCandidate {
    ColumnSeparator columns = ColumnSeparator::Tab;
    DecimalMark decimals = DecimalMark::Comma;
    QList<std::pair<QString, QString>> pairs; // X and Y as the fields would hold them
};

// Asks the user how to read a paste that the text alone does not settle.
class PastePreview {
public:
    virtual ~PastePreview() = default;
    // The index of the chosen candidate, or nullopt when the user cancels.
    virtual std::optional<qsizetype> Choose(const QList<PasteCandidate>& candidates) = 0;
};

} // namespace qb
