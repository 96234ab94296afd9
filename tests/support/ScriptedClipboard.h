#pragma once

#include "platform/Clipboard.h"

namespace qb {

// A clipboard of the test's own: what was put on it stays for the test to read, and a paste
// reads its text, or its HTML when it holds no text.
class ScriptedClipboard final : public Clipboard {
public:
    ClipboardText Text(qsizetype byteLimit) const override {
        const QString& offered = text.isEmpty() ? html : text;
        const qsizetype bytes = offered.toUtf8().size();
        if (bytes > byteLimit) {
            return {{}, {}, bytes};
        }
        return {text, text.isEmpty() ? html : QString(), bytes};
    }
    void SetText(const QString& plain, const QString& rich) override {
        text = plain;
        html = rich;
    }
    void SetImage(const QByteArray& bytes) override { png = bytes; }

    QString text;
    QString html;
    QByteArray png;
};

} // namespace qb
