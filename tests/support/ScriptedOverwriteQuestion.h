#pragma once

#include "platform/OverwriteQuestion.h"

#include <QQueue>
#include <QStringList>

namespace qb {

// Answers the overwrite question from a queue (declined when it is empty) and keeps the names
// it was asked about.
class ScriptedOverwriteQuestion final : public OverwriteQuestion {
public:
    Consent ConfirmOverwrite(const QString& path) override {
        asked.append(path);
        return answers.isEmpty() ? Consent::Declined : answers.dequeue();
    }

    QStringList asked;
    QQueue<Consent> answers;
};

} // namespace qb
