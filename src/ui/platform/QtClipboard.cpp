#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace qb {

QString QtClipboard::Text() const {
    return QGuiApplication::clipboard()->text();
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
