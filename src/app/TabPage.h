#pragma once

#include <QRect>
#include <QWidget>

namespace qb {

// Layout unit of the pages: 1440 twips to the inch, 15 twips to a logical pixel.
inline constexpr int kTwipsPerPixel = 15;
inline int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

// A page of the tab control whose controls are placed relative to the tab control's top left
// corner, as the layout tables give them: they sit on a canvas shifted back by the offset at
// which the tab control shows its pages.
class TabPage : public QWidget {
public:
    explicit TabPage(QWidget* parent = nullptr) : QWidget(parent), canvas_(new QWidget(this)) {
        canvas_->resize(Px(12255), Px(8175));
    }

    void AlignToTabControl(QPoint pageOffset) { canvas_->move(-pageOffset); }

protected:
    QWidget* canvas() const { return canvas_; }

    template <typename W> W* Place(W* widget, int left, int top, int width, int height) {
        widget->setParent(canvas_);
        widget->setGeometry(TwipsRect(left, top, width, height));
        return widget;
    }

private:
    QWidget* canvas_;
};

} // namespace qb
