#pragma once

#include <QChar>
#include <QString>

namespace qb {

// An X or Y entry as the results show the data: a text that is one number in the 5-decimal
// pattern, anything else as typed.
QString ShownDataText(const QString& text, QChar decimalSeparator);

} // namespace qb
