#include "StartupTrace.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace qb {
namespace {

void Mark(const char* name) {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::fprintf(stderr, "%s %lld\n", name, t.tv_sec * 1'000'000'000LL + t.tv_nsec);
}

// Marks the end of the splash's first paint: the zero timer fires once the paint event has
// been handled.
class FirstPaintMarker final : public QObject {
public:
    FirstPaintMarker(QWidget& splash) : QObject(&splash), splash_(splash) {}

protected:
    // Any part of the splash: its frame can cover it whole, so it may never paint itself.
    bool eventFilter(QObject* receiver, QEvent* e) override {
        auto* widget = qobject_cast<QWidget*>(receiver);
        if (e->type() == QEvent::Paint && !seen_ && widget && widget->window() == &splash_) {
            seen_ = true;
            QTimer::singleShot(0, qApp, [] {
                Mark("splash_painted");
                std::fprintf(stderr, "widget_count %lld\n",
                             static_cast<long long>(QApplication::allWidgets().size()));
                QApplication::quit();
            });
        }
        return false;
    }

private:
    QWidget& splash_;
    bool seen_ = false;
};

} // namespace

void TraceStartup(QWidget& splash) {
    if (qEnvironmentVariableIsEmpty("QB_STARTUP_TRACE")) {
        return;
    }
    Mark("main_loaded");
    qApp->installEventFilter(new FirstPaintMarker(splash));
}

} // namespace qb
