#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace qb {

// WCAG's contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// Gives the widget a ground of its own whatever the desktop's palette (Window for frames and
// labels, Base for fields) and the text colour that reads best on it, black or white, so that a
// dark palette's light text never lands on a light ground.
void FixGround(QWidget* widget, QPalette::ColorRole ground, const QColor& colour);

} // namespace qb
