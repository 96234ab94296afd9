#pragma once

#include "platform/Clipboard.h"

namespace qb {

// A clipboard of the test's own: what was put on it stays for the test to read.
class ScriptedClipboard final : public Clipboard {
public:
    QString Text() const override { return text; }
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
