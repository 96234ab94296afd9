#include "QtHelpViewer.h"

#include "pages/ReadOnlyTextAccessible.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QShortcut>
#include <QVBoxLayout>

namespace qb {
namespace {

// Read as the document's plain text: the characters that mark where its tables and frames begin
// and end are line breaks there, one for one, so offsets stay those of the document.
class HelpTextAccessible final : public ReadOnlyTextAccessible {
public:
    explicit HelpTextAccessible(QTextBrowser* browser)
        : ReadOnlyTextAccessible(browser, QAccessible::Document), browser_(browser) {}

    QString WholeText() const override { return browser_->document()->toPlainText(); }
    int cursorPosition() const override { return browser_->textCursor().position(); }
    QRect characterRect(int offset) const override {
        QTextCursor cursor(browser_->document());
        cursor.setPosition(qBound(0, offset, characterCount()));
        const QRect r = browser_->cursorRect(cursor);
        return {browser_->viewport()->mapToGlobal(r.topLeft()), r.size()};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return browser_->cursorForPosition(browser_->viewport()->mapFromGlobal(point)).position();
    }

private:
    QTextBrowser* browser_;
};

class HelpBrowser final : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
};

QAccessibleInterface* HelpBrowserFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(HelpBrowser::staticMetaObject.className())) {
        return new HelpTextAccessible(static_cast<QTextBrowser*>(object));
    }
    return nullptr;
}

} // namespace

void QtHelpViewer::Build() {
    static const bool kInstalled = (QAccessible::installFactory(HelpBrowserFactory), true);
    Q_UNUSED(kInstalled);
    window_ = std::make_unique<QDialog>(nullptr, Qt::Window);
    window_->setObjectName(QStringLiteral("HelpWindow"));
    window_->setAttribute(Qt::WA_QuitOnClose, false);
    window_->resize(640, 560);
    browser_ = new HelpBrowser(window_.get());
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    auto* closeKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), window_.get());
    QObject::connect(closeKey, &QShortcut::activated, window_.get(), &QDialog::reject);
    QObject::connect(window_.get(), &QDialog::finished, window_.get(), [this] {
        if (returnFocus_) {
            returnFocus_->activateWindow();
            returnFocus_->setFocus(Qt::ActiveWindowFocusReason);
        }
    });
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
    if (!window_) {
        Build();
    }
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() != window_.get()) {
        returnFocus_ = focus;
    }
    browser_->setSearchPaths({QFileInfo(helpFile).absolutePath()});
    browser_->setHtml(html);
    window_->setWindowTitle(browser_->documentTitle().isEmpty() ? QStringLiteral("Guida in linea")
                                                                : browser_->documentTitle());
    window_->show();
    window_->raise();
    window_->activateWindow();
    browser_->setFocus();
    return true;
}

} // namespace qb

#include "QtHelpViewer.moc"
