#pragma once

#include "platform/HelpViewer.h"

#include <QDialog>
#include <QPointer>
#include <QTextBrowser>

namespace qb {

// The program's own help viewer: a window that shows the HTML help file. Esc or Ctrl+W close it,
// and the focus goes back where it was when the help opened.
class QtHelpViewer final : public HelpViewer {
public:
    ~QtHelpViewer() override;
    bool ShowContents(const QString& helpFile) override;
    QDialog* Window() const { return window_; }
    QTextBrowser* Browser() const { return browser_; }

private:
    void Build();

    QPointer<QDialog> window_;
    QTextBrowser* browser_ = nullptr;
    QPointer<QWidget> returnFocus_;
};

} // namespace qb
