#pragma once

#include <QString>
#include <QStringView>

namespace qb {

// The first table of an HTML text as lines of tab-separated cells, as spreadsheets copy them
// as plain text: markup removed, entities decoded, blanks collapsed. Empty without a table.
QString HtmlTableText(QStringView html);

} // namespace qb
