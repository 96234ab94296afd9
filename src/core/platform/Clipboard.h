#pragma once

#include <QByteArray>
#include <QString>

namespace qb {

// The text the clipboard offers for a paste: its plain text or, when a program offers only
// HTML (as spreadsheets and browsers may), that.
struct ClipboardText {
    QString plain;
    QString html;
    qsizetype bytes = 0; // the size offered, also when too large to have been read
};

// The desktop's clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Reads nothing when the clipboard offers more than `byteLimit` bytes.
    virtual ClipboardText Text(qsizetype byteLimit) const = 0;
    // Plain text, with an HTML alternative for rich-text targets.
    virtual void SetText(const QString& plain, const QString& html) = 0;
    // An image given as PNG bytes.
    virtual void SetImage(const QByteArray& png) = 0;
};

} // namespace qb
