#pragma once

#include <QLabel>

namespace qb {

// Shows a result in its label. The label's accessible name says which figure it holds, and a
// name hides the text from screen readers, so the value is told as its description.
inline void ShowResult(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleDescription(text.isEmpty() ? QStringLiteral("Nessun valore") : text);
}

} // namespace qb
