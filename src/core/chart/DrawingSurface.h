#pragma once

#include <QString>
#include <cstdint>

namespace qb {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kCyan{0, 255, 255};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};

// The blue labels need a light ground (8.6:1 on white, at most 2.4:1 on any dark one), the white
// and red points and the cyan line a dark one (21, 5.3 and 16.8:1 on black; on white 1.0, 4.0 and
// 1.3:1). The labels stand in the margins and the data inside the grid, so each gets its own
// ground; only the blue grid itself stays at 2.4:1 over the data's black.
inline constexpr Rgb kChartBackground = kWhite;
inline constexpr Rgb kPlotBackground{0, 0, 0};

// The grid is dashed; the bands have patterns of their own, told apart without colour.
enum class DrawStyle { Solid, Dashed, LongDash, DashDot };
enum class FontWeight { Normal, Bold };

struct SurfaceFont {
    QString family;
    double points = 8;
    FontWeight weight = FontWeight::Normal;
    bool operator==(const SurfaceFont&) const = default;
};

// A picture box with a user coordinate system: lengths and positions are in user units, text
// is measured in them (heights signed like the Y scale), and printed text leaves the current
// position at its end.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    virtual void SetFont(const SurfaceFont& font) = 0;
    virtual double TextWidth(const QString& text) const = 0;
    virtual double TextHeight(const QString& text) const = 0;
    virtual double ScaleWidth() const = 0;
    virtual double ScaleLeft() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual double ScaleTop() const = 0;

    virtual void Clear() = 0;
    // (left, top) is the upper-left corner, (right, bottom) the lower-right one.
    virtual void SetScale(double left, double top, double right, double bottom) = 0;
    // Horizontal and vertical lengths in user units, signed like the scale.
    virtual double PointsToUserX(double points) const = 0;
    virtual double PointsToUserY(double points) const = 0;

    virtual void SetDrawStyle(DrawStyle style) = 0;
    virtual void SetForeColour(Rgb colour) = 0;
    virtual Rgb BackColour() const = 0;
    virtual void Line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void FilledBox(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void Point(double x, double y, Rgb colour) = 0;

    virtual void SetCurrentPosition(double x, double y) = 0;
    virtual double CurrentX() const = 0;
    // Draw the text with its top-left corner at the current position in the fore colour; the
    // position then stands at the text's end, or after PrintLine at the next line's start.
    virtual void Print(const QString& text) = 0;
    virtual void PrintLine(const QString& text) = 0;
    virtual void Refresh() = 0;
};

} // namespace qb
