#pragma once

class QCoreApplication;

namespace qb {

// Qt's own texts (standard buttons, file dialogs, context menus) in Italian whatever the user's
// locale, like the program's own. Without Qt's Italian catalogue they stay in English, and a
// warning says where it was looked for.
void InstallItalianToolkitTexts(QCoreApplication& app);

} // namespace qb
