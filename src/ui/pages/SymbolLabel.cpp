#include "SymbolLabel.h"

#include <QPainter>

namespace qb {

SymbolLabel::SymbolLabel(Symbol symbol, QWidget* parent)
    : QWidget(parent), symbol_(std::move(symbol)) {}

void SymbolLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::black);
    QFont baseFont = font();
    baseFont.setPointSizeF(11);
    baseFont.setItalic(true);
    QFont smallFont = baseFont;
    smallFont.setPointSizeF(7);

    const QFontMetrics bm(baseFont);
    const QFontMetrics sm(smallFont);
    const int baseWidth = bm.horizontalAdvance(symbol_.base);
    const int scriptWidth = std::max(sm.horizontalAdvance(symbol_.superscript),
                                     sm.horizontalAdvance(symbol_.subscript));
    constexpr int kLeft = 2; // the symbol's inset from the label's edge
    const int baseline = height() - bm.descent() - 3;

    p.setFont(baseFont);
    p.drawText(kLeft, baseline, symbol_.base);
    p.setFont(smallFont);
    p.drawText(kLeft + baseWidth, baseline - bm.ascent() / 2, symbol_.superscript);
    p.drawText(kLeft + baseWidth, baseline + sm.ascent() / 3, symbol_.subscript);
    if (symbol_.bar) {
        const int top = baseline - bm.ascent() - 1;
        const int right = kLeft + baseWidth + (symbol_.superscript.isEmpty() ? 0 : scriptWidth);
        p.drawLine(kLeft + 1, std::max(1, top), right, std::max(1, top));
    }
}

} // namespace qb
