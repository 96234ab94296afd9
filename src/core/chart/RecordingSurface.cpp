#include "RecordingSurface.h"

namespace qb {

RecordingSurface::RecordingSurface(QSizeF pixels, Rgb background, TextMeasure measure,
                                   double pixelsPerPoint)
    : pixels_(pixels), background_(background), measure_(std::move(measure)),
      pixelsPerPoint_(pixelsPerPoint), width_(pixels.width()), height_(pixels.height()) {}

double RecordingSurface::TextWidth(const QString& text) const {
    return PixelsToUserX(measure_(font_, text).width());
}

double RecordingSurface::TextHeight(const QString& text) const {
    return PixelsToUserY(measure_(font_, text).height());
}

void RecordingSurface::Clear() {
    commands_.clear();
    currentX_ = left_;
    currentY_ = top_;
    Refresh();
}

void RecordingSurface::SetScale(double left, double top, double right, double bottom) {
    left_ = left;
    top_ = top;
    width_ = right - left;
    height_ = bottom - top;
}

void RecordingSurface::Line(double x1, double y1, double x2, double y2, Rgb colour) {
    commands_.push_back(LineCmd{x1, y1, x2, y2, colour, style_});
}

void RecordingSurface::FilledBox(double x1, double y1, double x2, double y2, Rgb colour) {
    commands_.push_back(BoxCmd{x1, y1, x2, y2, colour});
}

void RecordingSurface::Point(double x, double y, Rgb colour) {
    commands_.push_back(PointCmd{x, y, colour});
}

void RecordingSurface::SetCurrentPosition(double x, double y) {
    currentX_ = x;
    currentY_ = y;
}

void RecordingSurface::RecordText(const QString& text) {
    commands_.push_back(TextCmd{currentX_, currentY_, text, font_, fore_});
}

void RecordingSurface::Print(const QString& text) {
    RecordText(text);
    currentX_ += TextWidth(text);
}

void RecordingSurface::PrintLine(const QString& text) {
    RecordText(text);
    currentX_ = left_;
    currentY_ += TextHeight(text);
}

void RecordingSurface::Refresh() {
    if (refreshed_) {
        refreshed_();
    }
}

} // namespace qb
