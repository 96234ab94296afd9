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

    Kind kind = Kind::Open;
    QList<FileFilter> filters; // the first one selected
    QString initialName;       // offered as the name to choose
};

struct FileChoice {
    QString path;         // full, as typed: no extension is added
    qsizetype filter = 0; // index of the filter selected when the user chose
};

// A modal file dialog: the choice, or nullopt when the user cancels. The file need not exist.
// The dialog asks nothing about an existing file: the caller does.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual std::optional<FileChoice> Show(const FileDialogRequest& request) = 0;
};

} // namespace qb
