#include "FixedGround.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace qb {
namespace {

double RelativeLuminance(const QColor& c) {
    const auto linear = [](double s) {
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const auto [dark, light] = std::minmax({RelativeLuminance(a), RelativeLuminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

void FixGround(QWidget* widget, QPalette::ColorRole ground, const QColor& colour) {
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor text =
        ContrastRatio(colour, black) >= ContrastRatio(colour, white) ? black : white;
    const QPalette::ColorRole textRole =
        ground == QPalette::Base ? QPalette::Text : QPalette::WindowText;
    QPalette p = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, ground, colour);
        p.setColor(group, textRole, text);
    }
    widget->setPalette(p);
    widget->setAutoFillBackground(ground == QPalette::Window);
}

} // namespace qb
