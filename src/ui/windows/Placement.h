#pragma once

class QWidget;

namespace qb {

// Puts a window in the middle of the screen it is on.
void CentreOnScreen(QWidget& window);

} // namespace qb
