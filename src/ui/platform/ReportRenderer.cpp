#include "ReportRenderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

namespace qb {
namespace {

const QString kFontFamily = QStringLiteral("Arial");

// Clear of any printer's unprintable border, and narrow enough that column 90 with a figure
// after it still fits across A4 at 10 points.
constexpr QMarginsF kMarginsMm(15, 15, 15, 15);

// The classic average character width: the advances of the lowercase letters and the space,
// weighted by their frequency in English text (the factors of the TrueType OS/2 table before
// version 3). It is what Windows reports for "Arial"; Qt's averageCharWidth() reads the OS/2
// field, which metric twins such as Liberation Sans fill with the mean over all their glyphs,
// 30 % wider, and that would push column 90 off the page.
qreal AverageCharWidth(const QFontMetricsF& metrics) {
    static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                         56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
    constexpr int kSpaceWeight = 166;
    qreal sum = kSpaceWeight * metrics.horizontalAdvance(u' ');
    int total = kSpaceWeight;
    for (int i = 0; i < 26; ++i) {
        sum += kWeights[i] * metrics.horizontalAdvance(QChar(u'a' + i));
        total += kWeights[i];
    }
    return sum / total;
}

// Writes lines top to bottom like a line printer: a current position that moves right with
// each piece and down with each line.
class PageWriter {
public:
    PageWriter(QPainter& painter, QPagedPaintDevice& device)
        : painter_(painter), device_(device),
          pageWidth_(device.pageLayout().paintRectPixels(device.logicalDpiX()).width()),
          pageHeight_(device.pageLayout().paintRectPixels(device.logicalDpiY()).height()) {}

    void Write(const ReportLine& line) {
        UseFont(line);
        for (const ReportPiece& piece : line.pieces) {
            Place(piece);
        }
        NewLine();
    }

private:
    void UseFont(const ReportLine& line) {
        QFont font(kFontFamily);
        font.setPointSize(line.pointSize);
        font.setBold(line.bold);
        painter_.setFont(font);
        metrics_ = QFontMetricsF(font, &device_);
        columnWidth_ = AverageCharWidth(metrics_);
    }

    // A piece whose column the line has already passed goes to that column of the next line; one
    // that runs past the right margin goes on at the left margin of the next.
    void Place(const ReportPiece& piece) {
        qreal column = (piece.column - 1) * columnWidth_;
        if (x_ > column) {
            NewLine();
        }
        QStringView rest = piece.text;
        for (qsizetype fit = FittingLength(rest, column); fit < rest.size();
             fit = FittingLength(rest, column)) {
            Draw(column, rest.first(fit));
            rest = rest.sliced(fit);
            NewLine();
            column = 0;
        }
        Draw(column, rest);
    }

    // How much of the text fits between the column and the right margin: at least a character,
    // and never half of a surrogate pair.
    qsizetype FittingLength(QStringView text, qreal column) const {
        qsizetype low = 1;
        qsizetype high = text.size();
        while (low < high) {
            const qsizetype middle = (low + high + 1) / 2;
            if (column + metrics_.horizontalAdvance(text.first(middle).toString()) <= pageWidth_) {
                low = middle;
            } else {
                high = middle - 1;
            }
        }
        return low < text.size() && text[low - 1].isHighSurrogate() && low > 1 ? low - 1 : low;
    }

    void Draw(qreal column, QStringView text) {
        if (y_ > 0 && y_ + metrics_.height() > pageHeight_) {
            device_.newPage();
            y_ = 0;
        }
        const QString shown = text.toString();
        painter_.drawText(QPointF(column, y_ + metrics_.ascent()), shown);
        x_ = column + metrics_.horizontalAdvance(shown);
    }

    void NewLine() {
        x_ = 0;
        y_ += metrics_.lineSpacing();
    }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    const qreal pageWidth_;
    const qreal pageHeight_;
    QFontMetricsF metrics_{QFont()};
    qreal columnWidth_ = 0;
    qreal x_ = 0;
    qreal y_ = 0;
};

} // namespace

bool RenderReport(const Report& report, QPagedPaintDevice& device) {
    device.setPageSize(QPageSize(QPageSize::A4));
    device.setPageMargins(kMarginsMm, QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    PageWriter writer(painter, device);
    for (const ReportLine& line : report) {
        writer.Write(line);
    }
    return painter.end();
}

} // namespace qb
