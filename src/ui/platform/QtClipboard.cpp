#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QStringDecoder>

namespace qb {

ClipboardText QtClipboard::Text(qsizetype byteLimit) const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !(data->hasText() || data->hasHtml())) {
        return {};
    }
    // The bytes first, so that a huge clipboard is measured without being converted.
    const QByteArray bytes =
        data->data(data->hasText() ? QStringLiteral("text/plain") : QStringLiteral("text/html"));
    if (bytes.size() > byteLimit) {
        return {{}, {}, bytes.size()};
    }
    if (data->hasText()) {
        return {QString::fromUtf8(bytes), {}, bytes.size()};
    }
    return {{}, QStringDecoder::decoderForHtml(bytes).decode(bytes), bytes.size()};
}

void QtClipboard::SetText(const QString& plain, const QString& html) {
    auto* data = new QMimeData;
    data->setText(plain);
    data->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(data);
}

void QtClipboard::SetImage(const QByteArray& png) {
    auto* data = new QMimeData;
    data->setImageData(QImage::fromData(png, "PNG"));
    // Offered as PNG bytes too, for targets that take only those.
    data->setData(QStringLiteral("image/png"), png);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace qb
