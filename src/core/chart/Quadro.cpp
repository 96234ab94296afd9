#include "Quadro.h"

#include "numbers/NumberPattern.h"

#include <cmath>

namespace qb {
namespace {

constexpr double kLn10 = 2.30258509299405;
// Far more lines than any step can give; a bound that keeps absurd inputs from hanging.
constexpr int kMaxGridLines = 1000;
const SurfaceFont kTitleFont{QStringLiteral("MS Sans Serif"), 10, FontWeight::Bold};
const QString kEllipsis = QStringLiteral("...");

double Int(double x) {
    return std::floor(x);
}
double Round3(double x) {
    return std::nearbyint(x * 1000) / 1000;
} // ties to even

struct Axis {
    float min;
    float max;
    double step = 0;
    double span = 0;
};

void SnapToGrid(Axis& a) {
    a.span = double(a.max) - double(a.min);
    a.step = GridStep(a.span);
    a.min = float(Int(Round3(a.min / a.step)) * a.step);
    a.max = float(a.step * CeilingOf(Round3(a.max / a.step)));
    a.span = double(a.max) - double(a.min);
}

QString Format(double v, const QString& format, QChar separator) {
    return FormatNumber(v, NumberPattern::FromText(format.toStdString()), separator);
}

// Grid positions from `from` while <= to + a tenth of a step, so the last line is not lost to
// rounding. The line meant for zero is put at zero: the 32-bit limits and the repeated
// additions leave it up to about a millionth of a step off, which would label it "-0.0"; any
// other line lies whole steps away.
template <typename F> bool ForEachGridLine(double from, double to, double step, F draw) {
    int lines = 0;
    for (double v = from; v <= to + 0.1 * step; v += step) {
        if (++lines > kMaxGridLines) {
            return false;
        }
        draw(std::abs(v) < 1e-3 * step ? 0.0 : v);
    }
    return true;
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

class Frame {
public:
    Frame(DrawingSurface& s, const QuadroArgs& a) : s_(s), a_(a) {}

    bool Draw() {
        x_ = {a_.xMin, a_.xMax};
        y_ = {a_.yMin, a_.yMax};
        s_.SetFont(kLabelFont);
        SnapToGrid(x_);
        if (float(double(y_.max) - double(y_.min)) < 0.0001f) {
            y_.min = float(y_.min - 0.0001 / 2);
            y_.max = float(y_.max + 0.0001 / 2);
        }
        SnapToGrid(y_);
        if (!Layout()) {
            return false;
        }
        s_.Clear();
        s_.SetScale(left_, top_, right_, bottom_);
        s_.FilledBox(x_.min, y_.min, x_.max, y_.max, kPlotBackground);
        tickX_ = float(s_.PointsToUserX(4));
        tickY_ = float(s_.PointsToUserY(4));
        s_.SetDrawStyle(DrawStyle::Dashed);
        s_.SetForeColour(kBlue);
        if (!VerticalGrid() || !HorizontalGrid()) {
            return false;
        }
        XAxis();
        Title();
        return true;
    }

private:
    bool Layout() {
        marginX_ = a_.labelX.isEmpty() ? x_.span / 20 : x_.span / 10;
        const double widthMin = s_.TextWidth(Format(y_.min, a_.formatY, a_.decimalSeparator) + ' ');
        const double widthMax = s_.TextWidth(Format(y_.max, a_.formatY, a_.decimalSeparator) + ' ');
        const double widthY = widthMax > widthMin ? widthMax : widthMin;
        double marginLeft = (x_.span + marginX_) * widthY / (s_.ScaleWidth() - widthY);
        if (x_.span / 10 > marginLeft) {
            marginLeft = x_.span / 10;
        }
        left_ = x_.min - marginLeft;
        right_ = x_.max + marginX_;
        bottom_ = y_.min - y_.span / 10;
        top_ = y_.max + y_.span / 7;
        return AllFinite({x_.step, y_.step, left_, right_, bottom_, top_}) && right_ > left_ &&
               top_ != bottom_;
    }

    bool VerticalGrid() {
        const bool ok = ForEachGridLine(x_.min, x_.max, x_.step, [&](double x) {
            s_.Line(x, y_.min, x, y_.max, kBlue);
            const QString label = Format(x, a_.formatX, a_.decimalSeparator);
            s_.SetCurrentPosition(x - s_.TextWidth(label) / 2, y_.min - y_.span / 70);
            s_.Print(label);
        });
        if (ok && !a_.labelX.isEmpty()) {
            s_.SetCurrentPosition((s_.CurrentX() + right_ - s_.TextWidth(a_.labelX)) / 2,
                                  y_.min - y_.span / 70);
            s_.Print(a_.labelX);
        }
        if (ok && x_.min <= 0 && x_.max >= 0) {
            s_.SetDrawStyle(DrawStyle::Solid);
            const double tip = top_ - y_.span / 30;
            s_.Line(0, y_.min, 0, tip, kBlue);
            s_.Line(0, tip, -tickX_ / 2, tip + tickY_, kBlue);
            s_.Line(0, tip, tickX_ / 2, tip + tickY_, kBlue);
        }
        s_.SetDrawStyle(DrawStyle::Dashed);
        return ok;
    }

    bool HorizontalGrid() {
        const bool ok = ForEachGridLine(y_.min, y_.max, y_.step, [&](double y) {
            s_.Line(x_.min, y, x_.max, y, kBlue);
            const QString label = Format(y, a_.formatY, a_.decimalSeparator);
            s_.SetCurrentPosition(left_, y - s_.TextHeight(label) / 2);
            s_.Print(label);
        });
        if (ok && !a_.labelY.isEmpty()) {
            s_.SetCurrentPosition(left_, top_);
            s_.Print(a_.labelY);
        }
        return ok;
    }

    void XAxis() {
        if (!(y_.min <= 0 && y_.max >= 0)) {
            return;
        }
        s_.SetDrawStyle(DrawStyle::Solid);
        const double tip = right_ - x_.span / 30;
        s_.Line(x_.min, 0, tip, 0, kBlue);
        s_.Line(tip, 0, tip - tickX_, -tickY_ / 2, kBlue);
        s_.Line(tip, 0, tip - tickX_, tickY_ / 2, kBlue);
    }

    void Title() {
        if (a_.title.isEmpty()) {
            return;
        }
        s_.SetFont(kTitleFont);
        s_.SetForeColour(kCyan);
        const double tw = s_.TextWidth(a_.title);
        const double th = s_.TextHeight(a_.title);
        double x = (left_ + right_ - tw) / 2;
        QString shown = a_.title;
        if (float(tw) > s_.ScaleWidth()) {
            x = s_.ScaleLeft();
            const auto n = qsizetype(
                Int((s_.ScaleWidth() - s_.TextWidth(kEllipsis)) * double(a_.title.size()) / tw));
            shown = a_.title.left(std::max<qsizetype>(0, n)) + kEllipsis;
        }
        s_.FilledBox(x, top_, x + tw, top_ + th, s_.BackColour());
        s_.SetCurrentPosition(x, top_);
        s_.PrintLine(shown);
    }

    DrawingSurface& s_;
    const QuadroArgs& a_;
    Axis x_{};
    Axis y_{};
    double marginX_ = 0;
    double left_ = 0;
    double right_ = 0;
    double bottom_ = 0;
    double top_ = 0;
    float tickX_ = 0;
    float tickY_ = 0;
};

} // namespace

double CeilingOf(double x) {
    return std::ceil(x);
}

double GridStep(double span) {
    double step = std::pow(10.0, CeilingOf(std::log(span / 20) / kLn10));
    int halvings = 0;
    while (float(span / step) < 5 && ++halvings < 4) {
        step /= 2;
    }
    if (float(span / step) > 10) {
        step *= 2;
    }
    return step;
}

QuadroResult Quadro(DrawingSurface& surface, const QuadroArgs& args) {
    if (!(args.xMin < args.xMax)) {
        return QuadroResult::ScaleErrorX;
    }
    if (args.yMin > args.yMax) {
        return QuadroResult::ScaleErrorY;
    }
    return Frame(surface, args).Draw() ? QuadroResult::Drawn : QuadroResult::Undrawable;
}

} // namespace qb
