#pragma once

#include "session/RecentFiles.h"

#include <QMenu>

namespace qb {

class Analysis;
class MessageBox;

// "File recenti": the data files last opened or saved, numbered for the keyboard, each with
// its full path as a tooltip. A file that no longer exists leaves the menu with a message.
class RecentFilesMenu final : public QMenu {
    Q_OBJECT
public:
    RecentFilesMenu(Analysis& analysis, MessageBox& messages, QWidget* parent = nullptr);

    RecentFiles& Files() { return files_; }

signals:
    void FileChosen(const QString& path);

private:
    void Rebuild();
    void Choose(const QString& path);

    Analysis& analysis_;
    MessageBox& messages_;
    RecentFiles files_;
};

} // namespace qb
