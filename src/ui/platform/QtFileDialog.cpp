#include "QtFileDialog.h"

#include "files/FileName.h"

#include <QApplication>
#include <QFileDialog>
#include <algorithm>

namespace qb {
namespace {

// The dialog shows the description alone and filters by the pattern in its last brackets;
// "*.*" means every file, also those without a dot in their name.
QString NameFilter(const FileFilter& filter) {
    const QString pattern = filter.pattern == u"*.*" ? QStringLiteral("*") : filter.pattern;
    return filter.description + QStringLiteral(" (") + pattern + u')';
}

} // namespace

std::optional<FileChoice> QtFileDialog::Show(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(request.kind == FileDialogRequest::Kind::Save ? QFileDialog::AcceptSave
                                                                       : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const FileFilter& filter : request.filters) {
        filters << NameFilter(filter);
    }
    dialog.setNameFilters(filters); // selects the first
    if (!request.initialName.isEmpty()) {
        dialog.selectFile(DisplayedFileName(request.initialName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    // With its details hidden, the dialog names the selected filter by its description.
    const QString selected = dialog.selectedNameFilter();
    const auto filter = std::find_if(
        request.filters.begin(), request.filters.end(), [&selected](const FileFilter& f) {
            return f.description == selected || NameFilter(f) == selected;
        });
    // The dialog lists a name that is not UTF-8 with U+FFFD in it.
    return FileChoice{ResolveDisplayedFileName(dialog.selectedFiles().constFirst()),
                      filter == request.filters.end() ? 0 : filter - request.filters.begin()};
}

} // namespace qb
