#include "ChartView.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

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
    surface_ = std::make_unique<RecordingSurface>(QSizeF(size), kChartBackground, measure,
                                                  logicalDpiY() / 72.0);
    surface_->SetRefreshed([this] {
        update();
        emit DrawingChanged();
    });
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PaintChart(p, *surface_, size());
}

void PaintChart(QPainter& p, const RecordingSurface& s, QSizeF size) {
    p.fillRect(QRectF(QPointF(), size), ToColour(kChartBackground));
    p.setRenderHint(QPainter::Antialiasing);
    const double sx = size.width() / (s.Right() - s.Left());
    const double sy = size.height() / (s.Bottom() - s.Top());
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

namespace qb {
namespace {

QByteArray ChartPng(const RecordingSurface& surface, QSize size) {
    QImage image(size * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    {
        QPainter painter(&image);
        PaintChart(painter, surface, size);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? buffer.data() : QByteArray();
}

QByteArray ChartSvg(const RecordingSurface& surface, QSize size, double dpi) {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(), size));
    svg.setResolution(qRound(dpi));
    svg.setTitle(QStringLiteral("Grafico"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return {};
    }
    PaintChart(painter, surface, size);
    painter.end();
    return buffer.data();
}

QByteArray ChartPdf(const RecordingSurface& surface, QSize size, double dpi) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(qRound(dpi));
        pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / dpi, QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        pdf.setTitle(QStringLiteral("Grafico"));
        QPainter painter;
        if (!painter.begin(&pdf)) {
            return {};
        }
        PaintChart(painter, surface, size);
    } // the writer finishes the document when it goes
    return buffer.data();
}

} // namespace

QByteArray ChartFile(const RecordingSurface& surface, QSize size, double dpi, ChartFormat format) {
    switch (format) {
    case ChartFormat::Png:
        return ChartPng(surface, size);
    case ChartFormat::Svg:
        return ChartSvg(surface, size, dpi);
    case ChartFormat::Pdf:
        return ChartPdf(surface, size, dpi);
    }
    return {};
}

} // namespace qb
