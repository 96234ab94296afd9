#include "ChartView.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>

namespace qb {
namespace {

QColor ToColour(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

constexpr double kPointRadius = 2.5;
constexpr double kBandWidth = 1.5;

// The grid's and the axes' pens as they always were; the bands' patterns, in pen widths.
QPen LinePen(const RecordingSurface::LineCmd& line) {
    switch (line.style) {
    case DrawStyle::Solid:
        return QPen(ToColour(line.colour), line.colour == kCyan ? 2 : 1, Qt::SolidLine);
    case DrawStyle::Dashed:
        return QPen(ToColour(line.colour), line.colour == kCyan ? 2 : 1, Qt::DashLine);
    case DrawStyle::LongDash: {
        QPen pen(ToColour(line.colour), kBandWidth);
        pen.setDashPattern({8, 4});
        return pen;
    }
    case DrawStyle::DashDot:
        return QPen(ToColour(line.colour), kBandWidth, Qt::DashDotLine);
    }
    return {};
}

bool Patterned(DrawStyle style) {
    return style == DrawStyle::LongDash || style == DrawStyle::DashDot;
}

// Where the surface's font is missing, as it is on most systems.
const QStringList kFallbackFamilies = {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};

QFont ToQFont(const SurfaceFont& font) {
    QFont f;
    f.setFamilies(QStringList{font.family} + kFallbackFamilies);
    f.setPointSizeF(font.points);
    f.setBold(font.weight == FontWeight::Bold);
    return f;
}

} // namespace

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
    // A band is a run of segments, each starting where the last ended: its pattern runs on
    // across them rather than starting afresh at every one.
    const RecordingSurface::LineCmd* previous = nullptr;
    double patternRun = 0;
    for (const auto& command : s.Commands()) {
        if (const auto* line = std::get_if<RecordingSurface::LineCmd>(&command)) {
            QPen pen = LinePen(*line);
            const QLineF drawn(map(line->x1, line->y1), map(line->x2, line->y2));
            if (Patterned(line->style)) {
                const bool continues = previous && previous->style == line->style &&
                                       previous->colour == line->colour &&
                                       previous->x2 == line->x1 && previous->y2 == line->y1;
                patternRun = continues ? patternRun : 0;
                pen.setDashOffset(patternRun / pen.widthF());
                patternRun += drawn.length();
            }
            previous = line;
            p.setPen(pen);
            p.drawLine(drawn);
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

constexpr double kInchesPerMetre = 1 / 0.0254;

// Twice the pixels of the screen at twice its resolution: printed at the screen's size, with
// lines as thick as there.
QByteArray ChartPng(const RecordingSurface& surface, QSize size, double dpi) {
    constexpr int kScale = 2;
    QImage image(size * kScale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(kScale);
    // The painter sizes the fonts by the image's resolution, in its logical pixels: painted at the
    // screen's, the texts keep the widths the drawing measured; the file then states twice that.
    const auto setDpi = [&image](double d) {
        image.setDotsPerMeterX(qRound(d * kInchesPerMetre));
        image.setDotsPerMeterY(qRound(d * kInchesPerMetre));
    };
    setDpi(dpi);
    {
        QPainter painter(&image);
        PaintChart(painter, surface, size);
    }
    setDpi(kScale * dpi);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? buffer.data() : QByteArray();
}

// The generator names the first family alone, which viewers without it replace with a serif.
QByteArray WithFallbackFonts(const QByteArray& svg) {
    static const QRegularExpression kFamily(QStringLiteral("font-family=\"([^\"]*)\""));
    const QString text = QString::fromUtf8(svg);
    QString result;
    qsizetype copied = 0;
    for (const QRegularExpressionMatch& match : kFamily.globalMatch(text)) {
        QStringList families = QStringList{match.captured(1)} + kFallbackFamilies;
        families.removeDuplicates();
        result += text.mid(copied, match.capturedStart(1) - copied) + u'\'' +
                  families.join(QStringLiteral("', '")) + QStringLiteral("', sans-serif");
        copied = match.capturedEnd(1);
    }
    return (result + text.mid(copied)).toUtf8();
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
    return WithFallbackFonts(buffer.data());
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
        return ChartPng(surface, size, dpi);
    case ChartFormat::Svg:
        return ChartSvg(surface, size, dpi);
    case ChartFormat::Pdf:
        return ChartPdf(surface, size, dpi);
    }
    return {};
}

} // namespace qb
