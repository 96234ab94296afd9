#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace qb {

struct FileFilter {
    QString description; // what the list shows
    QString pattern;     // which names it lets through
};

struct FileDialogRequest {
    enum Kind { Open, Save };

    Kind kind = Open;
    QList<FileFilter> filters;
    int selectedFilter = 0;
    QString initialName;           // offered as the name to choose
    bool confirmOverwrite = false; // the dialog's own question for an existing file
};

// A modal file dialog: the chosen full path, or nullopt when the user cancels. A name typed
// without extension comes back as typed, and the file need not exist.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual std::optional<QString> Show(const FileDialogRequest& request) = 0;
};

} // namespace qb
