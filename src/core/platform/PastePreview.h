#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace qb {

// One way of reading a paste: what it assumes and the pairs it gives.
struct PasteCandidate {
    QString assumption; // the column separator and decimal mark, as the user reads them
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
