#pragma once

#include "platform/HelpViewer.h"

#include <QDialog>
#include <QPointer>
#include <QTextBrowser>
#include <memory>

namespace qb {

// The program's own help viewer: a window that shows the HTML help file. Esc or Ctrl+W close it,
// and the focus goes back where it was when the help opened.
class QtHelpViewer final : public HelpViewer {
public:
    bool ShowContents(const QString& helpFile) override;
    QDialog* Window() const { return window_.get(); }
    QTextBrowser* Browser() const { return browser_; }

private:
    void Build();

    std::unique_ptr<QDialog> window_;
    QTextBrowser* browser_ = nullptr;
    QPointer<QWidget> returnFocus_;
};

} // namespace qb
