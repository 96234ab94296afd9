#pragma once

#include "platform/Clipboard.h"

namespace qb {

// The system clipboard, through the application's.
class QtClipboard final : public Clipboard {
public:
    ClipboardText Text(qsizetype byteLimit) const override;
    void SetText(const QString& plain, const QString& html) override;
    void SetImage(const QByteArray& png) override;
};

} // namespace qb
