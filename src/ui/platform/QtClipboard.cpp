#include "QtClipboard.h"

#include "X11ClipboardOffer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QStringDecoder>

namespace qb {
namespace {

// Long enough for a busy owner, short enough not to look frozen.
constexpr std::chrono::milliseconds kOwnerWait{1000};

} // namespace

ClipboardText QtClipboard::Text(qsizetype byteLimit) const {
    // Qt's X11 clipboard transfers the whole selection before it can be measured, so the owner
    // is asked for the size first. Our own selection Qt reads without X.
    if (QGuiApplication::platformName() == u"xcb" &&
        !QGuiApplication::clipboard()->ownsClipboard()) {
        const ClipboardOffer offer = AskX11ClipboardOffer(byteLimit, kOwnerWait);
        if (offer.answer == ClipboardOffer::Answer::NoAnswer) {
            return {}; // Qt would wait longer for the same silence
        }
        if (offer.answer == ClipboardOffer::Answer::Size && offer.bytes > byteLimit) {
            return {{}, {}, offer.bytes};
        }
    }
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
