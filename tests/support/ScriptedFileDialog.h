#pragma once

#include "platform/FileDialog.h"

#include <QList>
#include <QQueue>

namespace qb {

// Answers file dialogs without a person: records every request and answers from a queue
// (a cancel when the queue is empty).
class ScriptedFileDialog final : public FileDialog {
public:
    std::optional<FileChoice> Show(const FileDialogRequest& request) override {
        requests.append(request);
        return answers.isEmpty() ? std::nullopt : answers.dequeue();
    }

    QList<FileDialogRequest> requests;
    QQueue<std::optional<FileChoice>> answers;
};

} // namespace qb
