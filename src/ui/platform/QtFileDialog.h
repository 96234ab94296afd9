#pragma once

#include "platform/FileDialog.h"

namespace qb {

// The toolkit's file dialog.
class QtFileDialog final : public FileDialog {
public:
    std::optional<FileChoice> Show(const FileDialogRequest& request) override;
};

} // namespace qb
