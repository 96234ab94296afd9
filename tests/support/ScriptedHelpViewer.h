#pragma once

#include "platform/HelpViewer.h"

#include <QStringList>

namespace qb {

// A help viewer that records the files it is asked to show and succeeds or fails as told.
class ScriptedHelpViewer final : public HelpViewer {
public:
    bool ShowContents(const QString& helpFile) override {
        shown.append(helpFile);
        return succeeds;
    }

    QStringList shown;
    bool succeeds = false;
};

} // namespace qb
