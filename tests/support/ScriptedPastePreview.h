#pragma once

#include "platform/PastePreview.h"

#include <QQueue>

namespace qb {

// A preview that keeps what it was shown and gives the queued answers (cancel when none).
class ScriptedPastePreview final : public PastePreview {
public:
    std::optional<qsizetype> Choose(const QList<PasteCandidate>& candidates) override {
        shown.append(candidates);
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }

    QList<QList<PasteCandidate>> shown;
    QQueue<std::optional<qsizetype>> answers;
};

} // namespace qb
