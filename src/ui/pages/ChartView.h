#pragma once

#include "chart/RecordingSurface.h"
#include "session/DocumentCommands.h"

#include <QByteArray>
#include <QWidget>
#include <memory>

class QPainter;

namespace qb {

// The picture box of the chart page, of a fixed size: a recording surface painted on every
// paint event, so the chart survives covering and is crisp at any device pixel ratio.
class ChartView final : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QSize size, QWidget* parent = nullptr);

    RecordingSurface& Surface() { return *surface_; }

signals:
    // The surface was cleared or drawn on.
    void DrawingChanged();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::unique_ptr<RecordingSurface> surface_;
};

// Paints the surface's drawing over `size` of any paint device, in that device's units.
void PaintChart(QPainter& painter, const RecordingSurface& surface, QSizeF size);

// The drawing as a file: PNG at twice `size` in pixels and twice `dpi`, SVG and PDF as vectors,
// texts at the size they have on a screen of `dpi`. Empty when it cannot be made.
QByteArray ChartFile(const RecordingSurface& surface, QSize size, double dpi, ChartFormat format);

} // namespace qb
