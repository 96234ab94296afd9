#pragma once

#include <QWidget>

namespace qb {

// A figure's symbol drawn as text: a base letter with an optional bar over it, superscript and
// subscript (X with a bar, X² with a bar, sigma with subscript xy, ...).
class SymbolLabel final : public QWidget {
public:
    struct Symbol {
        QString base;
        QString superscript;
        QString subscript;
        bool bar = false;
    };

    SymbolLabel(Symbol symbol, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    Symbol symbol_;
};

} // namespace qb
