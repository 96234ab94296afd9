#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qb {

// The program's own pictures, drawn as SVG and kept as resources: "splash", "about" and
// "program-icon".
QPixmap Picture(const QString& name, QSize size, qreal devicePixelRatio = 1.0);
QIcon ProgramIcon();

} // namespace qb
