#pragma once

#include "platform/MessageBox.h"

#include <QList>
#include <QQueue>

namespace qb {

// Answers message boxes without a person: records every request, answers from a queue (OK
// when the queue is empty).
class ScriptedMessageBox final : public MessageBox {
public:
    struct Request {
        QString text;
        MessageStyle style;
        QString title;
    };

    MessageAnswer Show(const QString& text, MessageStyle style, const QString& title) override {
        requests.append({text, style, title});
        return answers.isEmpty() ? MessageAnswer::Ok : answers.dequeue();
    }

    QList<Request> requests;
    QQueue<MessageAnswer> answers;
};

} // namespace qb
