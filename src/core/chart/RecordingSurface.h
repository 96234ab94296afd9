#pragma once

#include "DrawingSurface.h"

#include <QSizeF>
#include <functional>
#include <variant>
#include <vector>

namespace qb {

// A drawing surface that keeps what is drawn as a display list in user coordinates; a view
// paints the list at whatever size it has. Text is measured in logical pixels by the function
// it is given (the font's real metrics in the program, a fixed grid in tests).
class RecordingSurface : public DrawingSurface {
public:
    using TextMeasure = std::function<QSizeF(const SurfaceFont&, const QString&)>;

    struct LineCmd {
        double x1, y1, x2, y2;
        Rgb colour;
        DrawStyle style;
        bool operator==(const LineCmd&) const = default;
    };
    struct BoxCmd {
        double x1, y1, x2, y2;
        Rgb colour;
        bool operator==(const BoxCmd&) const = default;
    };
    struct PointCmd {
        double x, y;
        Rgb colour;
        bool operator==(const PointCmd&) const = default;
    };
    struct TextCmd {
        double x, y;
        QString text;
        SurfaceFont font;
        Rgb colour;
        bool operator==(const TextCmd&) const = default;
    };
    using Command = std::variant<LineCmd, BoxCmd, PointCmd, TextCmd>;

    // `pixels` is the surface's size in logical pixels; its initial scale is in pixels.
    RecordingSurface(QSizeF pixels, Rgb background, TextMeasure measure, double pixelsPerPoint);

    const std::vector<Command>& Commands() const { return commands_; }
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Right() const { return left_ + width_; }
    double Bottom() const { return top_ + height_; }
    void SetRefreshed(std::function<void()> refreshed) { refreshed_ = std::move(refreshed); }

    void SetFont(const SurfaceFont& font) override { font_ = font; }
    double TextWidth(const QString& text) const override;
    double TextHeight(const QString& text) const override;
    double ScaleWidth() const override { return width_; }
    double ScaleLeft() const override { return left_; }
    double ScaleHeight() const override { return height_; }
    double ScaleTop() const override { return top_; }
    void Clear() override;
    void SetScale(double left, double top, double right, double bottom) override;
    double PointsToUserX(double points) const override {
        return PixelsToUserX(points * pixelsPerPoint_);
    }
    double PointsToUserY(double points) const override {
        return PixelsToUserY(points * pixelsPerPoint_);
    }
    void SetDrawStyle(DrawStyle style) override { style_ = style; }
    void SetForeColour(Rgb colour) override { fore_ = colour; }
    Rgb BackColour() const override { return background_; }
    void Line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void FilledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void Point(double x, double y, Rgb colour) override;
    void SetCurrentPosition(double x, double y) override;
    double CurrentX() const override { return currentX_; }
    void Print(const QString& text) override;
    void PrintLine(const QString& text) override;
    void Refresh() override;

private:
    double PixelsToUserX(double pixels) const { return pixels * width_ / pixels_.width(); }
    double PixelsToUserY(double pixels) const { return pixels * height_ / pixels_.height(); }
    void RecordText(const QString& text);

    QSizeF pixels_;
    Rgb background_;
    TextMeasure measure_;
    double pixelsPerPoint_;
    double left_ = 0;
    double top_ = 0;
    double width_;
    double height_;
    SurfaceFont font_;
    DrawStyle style_ = DrawStyle::Solid;
    Rgb fore_{};
    double currentX_ = 0;
    double currentY_ = 0;
    std::vector<Command> commands_;
    std::function<void()> refreshed_;
};

} // namespace qb
