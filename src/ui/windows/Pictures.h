#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <array>

namespace qb {

// The program's own pictures, drawn as SVG and kept as resources: "splash", "about" and
// "program-icon".
// The icon sides window managers and the desktop's icon theme ask for.
inline constexpr std::array kIconSides{16, 24, 32, 48, 64, 128, 256};

QPixmap Picture(const QString& name, QSize size, qreal devicePixelRatio = 1.0);
QIcon ProgramIcon();

} // namespace qb
