#pragma once

#include <QByteArray>
#include <QString>

namespace qb {

// The desktop's clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString Text() const = 0;
    // Plain text, with an HTML alternative for rich-text targets.
    virtual void SetText(const QString& plain, const QString& html) = 0;
    // An image given as PNG bytes.
    virtual void SetImage(const QByteArray& png) = 0;
};

} // namespace qb
