#pragma once

#include <QLabel>

namespace qb {

// A figure in a sunken black-on-white box of fixed size, reached by Tab. A figure too wide is drawn
// in a smaller font, down to one still readable, and beyond that cut in the middle with "…":
// figures have no bound on their digits, so no font or wrap could hold every one. The whole figure
// is then the tooltip, and always what a screen reader reads as the label's value.
class ResultLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ResultLabel(QWidget* parent = nullptr);

    void ShowResult(const QString& figure);
    const QString& Figure() const { return figure_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QString figure_;
    QFont baseFont_;
};

} // namespace qb
