#include "ChartView.h"

#include <QFontMetricsF>
#include <QPainter>

namespace qb {
namespace {

QColor ToColour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

constexpr double kPointRadius = 2.5;

} // namespace

QFont ToQFont(const SurfaceFont& font) {
    QFont f;
    f.setFamilies({font.family, QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    return f;
}

ChartView::ChartView(QSize size, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picFoglio"));
    setAccessibleName(QStringLiteral("Grafico"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(size);
    auto measure = [this](const SurfaceFont& font, const QString& text) {
        const QFontMetricsF metrics(ToQFont(font), this);
        return QSizeF(metrics.horizontalAdvance(text), metrics.height());
    };
    surface_ = std::make_unique<RecordingSurface>(QSizeF(size), kBackground, measure,
                                                  logicalDpiY() / 72.0);
    surface_->SetRefreshed([this] {
        update();
        emit DrawingChanged();
    });
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ToColour(kBackground));
    p.setRenderHint(QPainter::Antialiasing);
    const RecordingSurface& s = *surface_;
    const double sx = width() / (s.Right() - s.Left());
    const double sy = height() / (s.Bottom() - s.Top());
    const auto map = [&](double x, double y) {
        return QPointF((x - s.Left()) * sx, (y - s.Top()) * sy);
    };
    for (const auto& command : s.Commands()) {
        if (const auto* line = std::get_if<RecordingSurface::LineCmd>(&command)) {
            QPen pen(ToColour(line->colour), line->colour == kCyan ? 2 : 1,
                     line->style == DrawStyle::Dashed ? Qt::DashLine : Qt::SolidLine);
            pen.setCosmetic(true);
            p.setPen(pen);
            p.drawLine(map(line->x1, line->y1), map(line->x2, line->y2));
        } else if (const auto* box = std::get_if<RecordingSurface::BoxCmd>(&command)) {
            p.fillRect(QRectF(map(box->x1, box->y1), map(box->x2, box->y2)).normalized(),
                       ToColour(box->colour));
        } else if (const auto* point = std::get_if<RecordingSurface::PointCmd>(&command)) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(ToColour(point->colour));
            p.drawEllipse(map(point->x, point->y), kPointRadius, kPointRadius);
        } else if (const auto* text = std::get_if<RecordingSurface::TextCmd>(&command)) {
            p.setFont(ToQFont(text->font));
            p.setPen(ToColour(text->colour));
            p.drawText(QRectF(map(text->x, text->y), QSizeF(1000, 100)),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text->text);
        }
    }
}

} // namespace qb
