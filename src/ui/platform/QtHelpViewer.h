#pragma once

#include "platform/HelpViewer.h"

#include <QPointer>

#include <QTextBrowser>

namespace qb {

// The program's own help viewer: a window that shows the HTML help file.
class QtHelpViewer final : public HelpViewer {
public:
    ~QtHelpViewer() override;
    bool ShowContents(const QString& helpFile) override;
    QTextBrowser* Window() const { return browser_; }

private:
    QPointer<QTextBrowser> browser_;
};

} // namespace qb
