#include "RecentFilesMenu.h"

#include "Notices.h"
#include "files/FileName.h"
#include "files/FileStore.h"
#include "model/Analysis.h"

#include <QFileInfo>

namespace qb {

RecentFilesMenu::RecentFilesMenu(Analysis& analysis, MessageBox& messages, QWidget* parent)
    : QMenu(QStringLiteral("File &recenti"), parent), analysis_(analysis), messages_(messages),
      files_(RecentFiles::SettingsPlace(), RecentFiles::DesktopListPlace()) {
    setObjectName(QStringLiteral("MenuFileRecenti"));
    setToolTipsVisible(true);
    // Saved or opened: the analysis is that file's contents now.
    connect(&analysis_, &Analysis::MarkedUnchanged, this, [this] {
        if (!analysis_.CurrentFileName().isEmpty()) {
            files_.Add(analysis_.CurrentFileName());
            Rebuild();
        }
    });
    // Another instance may have changed the list.
    connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::Rebuild);
    Rebuild();
}

void RecentFilesMenu::Rebuild() {
    clear();
    const QStringList paths = files_.Paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString shown = DisplayedFileName(QFileInfo(paths[i]).fileName());
        QAction* entry = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QString(shown).replace(u'&', QStringLiteral("&&"))));
        entry->setToolTip(DisplayedFileName(paths[i]));
        connect(entry, &QAction::triggered, this, [this, path = paths[i]] { Choose(path); });
    }
    menuAction()->setEnabled(!paths.isEmpty());
}

void RecentFilesMenu::Choose(const QString& path) {
    if (TargetOf(path) != Target::RegularFile) {
        files_.Remove(path);
        Rebuild();
        const Message told = MissingRecentFileMessage(path);
        messages_.Show(told.text, told.style, told.title);
        return;
    }
    emit FileChosen(path);
}

} // namespace qb
