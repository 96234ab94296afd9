#include "TabBarAccessible.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>
#include <vector>

namespace qb {
namespace {

// A tab's text as read aloud: its mnemonic mark dropped, a doubled "&" kept as one.
QString WithoutMnemonic(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
        }
        plain += text[i];
    }
    return plain;
}

class TabAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabAccessible(QTabBar* bar, int index) : bar_(bar), index_(index) {}

    bool isValid() const override { return bar_ && index_ < bar_->count(); }
    QObject* object() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(bar_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid()) {
            return {};
        }
        switch (t) {
        case QAccessible::Name:
            return WithoutMnemonic(bar_->tabText(index_));
        case QAccessible::Description:
            return bar_->tabToolTip(index_);
        default:
            return {};
        }
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.focusable = bar_->focusPolicy() != Qt::NoFocus;
        s.selectable = true;
        s.selected = index_ == bar_->currentIndex();
        s.focused = s.selected && bar_->hasFocus();
        s.disabled = !bar_->isEnabled() || !bar_->isTabEnabled(index_);
        s.invisible = !bar_->isVisible() || !bar_->isTabVisible(index_);
        return s;
    }

    QRect rect() const override {
        return isValid() ? QRect(bar_->mapToGlobal(bar_->tabRect(index_).topLeft()),
                                 bar_->tabRect(index_).size())
                         : QRect();
    }

    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                 : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && isValid()) {
            bar_->setCurrentIndex(index_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QTabBar> bar_;
    int index_;
};

// The bar reports no focus of its own while one of its tabs carries it.
class TabBarInterface final : public QAccessibleWidget {
public:
    explicit TabBarInterface(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~TabBarInterface() override {
        for (const QAccessible::Id id : tabs_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return Bar()->count(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        while (int(tabs_.size()) <= index) {
            tabs_.push_back(QAccessible::registerAccessibleInterface(
                new TabAccessible(Bar(), int(tabs_.size()))));
        }
        return QAccessible::accessibleInterface(tabs_[std::size_t(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child) {
                return i;
            }
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const int index = Bar()->tabAt(Bar()->mapFromGlobal(QPoint(x, y)));
        return index >= 0 ? child(index) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return Bar()->hasFocus() ? child(Bar()->currentIndex()) : nullptr;
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focused = s.focused && Bar()->currentIndex() < 0;
        return s;
    }

private:
    QTabBar* Bar() const { return static_cast<QTabBar*>(widget()); }

    mutable std::vector<QAccessible::Id> tabs_;
};

// The tab control hands the keyboard to its bar, and would report the bar's focus as its own.
class TabWidgetInterface final : public QAccessibleWidget {
public:
    explicit TabWidgetInterface(QTabWidget* tabs) : QAccessibleWidget(tabs) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.focused = QApplication::focusWidget() == widget();
        return s;
    }
};

QAccessibleInterface* TabControlFactory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    if (className == QLatin1String(QTabBar::staticMetaObject.className())) {
        return new TabBarInterface(static_cast<QTabBar*>(object));
    }
    if (className == QLatin1String(QTabWidget::staticMetaObject.className())) {
        return new TabWidgetInterface(static_cast<QTabWidget*>(object));
    }
    return nullptr;
}

} // namespace

void InstallTabBarAccessible() {
    static const bool kInstalled = (QAccessible::installFactory(TabControlFactory), true);
    Q_UNUSED(kInstalled);
}

} // namespace qb
