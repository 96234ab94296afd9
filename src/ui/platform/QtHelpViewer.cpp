#include "QtHelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

namespace qb {

QtHelpViewer::~QtHelpViewer() {
    delete browser_;
}

bool QtHelpViewer::ShowContents(const QString& helpFile) {
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QString html = QString::fromUtf8(file.readAll());
    if (file.error() != QFileDevice::NoError) {
        return false;
    }
    if (!browser_) {
        browser_ = new QTextBrowser;
        browser_->setAttribute(Qt::WA_QuitOnClose, false);
        browser_->resize(640, 560);
    }
    browser_->setSearchPaths({QFileInfo(helpFile).absolutePath()});
    browser_->setHtml(html);
    browser_->setWindowTitle(browser_->documentTitle().isEmpty() ? QStringLiteral("Guida in linea")
                                                                 : browser_->documentTitle());
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
    return true;
}

} // namespace qb
