#include "ResultLabel.h"

#include "ReadOnlyTextAccessible.h"

#include <QAccessible>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace qb {
namespace {

constexpr qreal kSmallestPointSize = 7;

class ResultLabelAccessible final : public ReadOnlyTextAccessible {
public:
    explicit ResultLabelAccessible(ResultLabel* label)
        : ReadOnlyTextAccessible(label, QAccessible::StaticText), label_(label) {}
    QString WholeText() const override { return label_->Figure(); }

private:
    ResultLabel* label_;
};

QAccessibleInterface* ResultLabelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(ResultLabel::staticMetaObject.className())) {
        return new ResultLabelAccessible(static_cast<ResultLabel*>(object));
    }
    return nullptr;
}

} // namespace

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent), baseFont_(font()) {
    static const bool kInstalled = (QAccessible::installFactory(ResultLabelFactory), true);
    Q_UNUSED(kInstalled);
    setFocusPolicy(Qt::StrongFocus);
    // A results box: black on white under any palette, sunken like the program's other boxes.
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::black, Qt::white));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void ResultLabel::ShowResult(const QString& figure) {
    figure_ = figure;
    const int room = contentsRect().width() - 2 * margin() - 4;
    QFont f = baseFont_;
    while (QFontMetrics(f).horizontalAdvance(figure) > room &&
           f.pointSizeF() - 0.5 >= kSmallestPointSize) {
        f.setPointSizeF(f.pointSizeF() - 0.5);
    }
    setFont(f);
    const QString shown = QFontMetrics(f).elidedText(figure, Qt::ElideMiddle, room);
    setText(shown);
    setToolTip(f == baseFont_ ? QString() : figure);
    // Selecting a cut figure would copy digits that are not the figure.
    setTextInteractionFlags(shown == figure ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    setFocusPolicy(Qt::StrongFocus); // the flags reset it
}

void ResultLabel::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    if (hasFocus()) {
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect().adjusted(1, 1, -1, -1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

} // namespace qb
