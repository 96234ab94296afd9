#include "Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace qb {

QPixmap Picture(const QString& name, QSize size, qreal devicePixelRatio) {
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return pixmap;
}

QIcon ProgramIcon() {
    // Rendered at the sizes window managers ask for, so no icon plug-in is needed.
    QIcon icon;
    for (int side : kIconSides) {
        icon.addPixmap(Picture(QStringLiteral("program-icon"), QSize(side, side)));
    }
    return icon;
}

} // namespace qb
