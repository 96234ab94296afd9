#pragma once

#include "DrawingSurface.h"

#include <QChar>
#include <QString>

namespace qb {

// The smallest whole number not below x.
double CeilingOf(double x);

// The round grid step for a span: 1, 2, 2.5 or 5 times a power of ten, the span holding 5 to
// 10 steps. The ratio tests run on 32-bit floats, as the snapped limits are 32-bit.
double GridStep(double span);

// The tick labels' and captions' font.
inline const SurfaceFont kLabelFont{QStringLiteral("MS Sans Serif"), 8, FontWeight::Normal};

struct QuadroArgs {
    float xMin = 0;
    float xMax = 0;
    float yMin = 0;
    float yMax = 0;
    QString formatX;
    QString formatY;
    QString title;
    QString labelX;
    QString labelY;
    QChar decimalSeparator = u'.';
};

enum class QuadroResult {
    Drawn,
    ScaleErrorX, // not xMin < xMax: nothing drawn
    ScaleErrorY, // yMin > yMax: nothing drawn
    Undrawable,  // limits too wide or too close to lay out: the drawing stops where it is
};

// The chart frame: derives the grid steps, snaps the limits outward to them, reserves margins
// for the labels, sets the user scale and draws grid, tick labels, captions, axes and title.
[[nodiscard]] QuadroResult Quadro(DrawingSurface& surface, const QuadroArgs& args);

} // namespace qb
