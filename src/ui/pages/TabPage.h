#pragma once

#include "TabBarAccessible.h"

#include <QRect>
#include <QTabWidget>
#include <QWidget>

namespace qb {

// Layout unit of the pages: 1440 twips to the inch, 15 twips to a logical pixel.
inline constexpr int kTwipsPerPixel = 15;
inline int Px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
inline QRect TwipsRect(int left, int top, int width, int height) {
    return {Px(left), Px(top), Px(width), Px(height)};
}

// A page of the tab control whose controls are placed relative to the tab control's top left
// corner: they sit on a canvas shifted back by the offset at which the tab control shows its
// pages, known once the tab control has laid the page out.
class TabPage : public QWidget {
public:
    explicit TabPage(QWidget* parent = nullptr) : QWidget(parent), canvas_(new QWidget(this)) {
        canvas_->resize(Px(12255), Px(8175));
        InstallTabBarAccessible(); // before the tab control that shows the page is read
    }

protected:
    void showEvent(QShowEvent*) override { AlignCanvas(); }
    void resizeEvent(QResizeEvent*) override { AlignCanvas(); }

    QWidget* Canvas() const { return canvas_; }

    // Places a child of the canvas at a position and size given in twips.
    template <typename W> W* Place(W* widget, int left, int top, int width, int height) {
        widget->setGeometry(TwipsRect(left, top, width, height));
        return widget;
    }

private:
    void AlignCanvas() {
        for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                canvas_->move(-mapTo(tabs, QPoint(0, 0)));
                return;
            }
        }
    }

    QWidget* canvas_;
};

} // namespace qb
