#pragma once

class QCoreApplication;

namespace qb {

// Qt's own texts (standard buttons, file dialogs, context menus) in Italian whatever the user's
// locale, like the program's own; false where the catalogue is not installed.
bool InstallItalianToolkitTexts(QCoreApplication& app);

} // namespace qb
