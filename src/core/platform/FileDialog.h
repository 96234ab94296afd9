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
    enum class Kind { Open, Save };

    // How a name typed without extension comes back.
    enum class Extension { AsTyped, FromFilter };

    Kind kind = Kind::Open;
    QList<FileFilter> filters; // the first one selected
    QString initialName;       // offered as the name to choose
    Extension extension = Extension::AsTyped;
};

// A modal file dialog: the chosen full path, or nullopt when the user cancels. A name typed
// without extension comes back as typed or with the selected filter's, as the request says; the
// file need not exist. The dialog asks nothing
// about an existing file: the caller does.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual std::optional<QString> Show(const FileDialogRequest& request) = 0;
};

} // namespace qb
