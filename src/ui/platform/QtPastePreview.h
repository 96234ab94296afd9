#pragma once

#include "platform/PastePreview.h"

#include <QString>

namespace qb {

// What a reading assumes, worded for the user to choose among readings.
QString ReadingText(ColumnSeparator columns, DecimalMark decimals);

// A modal dialog over the active window: one radio button a reading, the pairs the chosen one
// gives as X and Y, "OK" and "Annulla".
class QtPastePreview final : public PastePreview {
public:
    std::optional<qsizetype> Choose(const QList<PasteCandidate>& candidates) override;
};

} // namespace qb
