#pragma once

#include <QString>

namespace qb {

// Shows the contents page of a help file; false when the file is missing or unreadable.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual bool ShowContents(const QString& helpFile) = 0;
};

} // namespace qb
