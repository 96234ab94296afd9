#include "StartupTrace.h"

#include <QApplication>

#include <cstdio>
#include <ctime>

namespace qb {

void TraceStartup() {
    if (qEnvironmentVariableIsEmpty("QB_STARTUP_TRACE")) {
        return;
    }
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::fprintf(stderr, "main_loaded %lld\nwidget_count %lld\nend\n",
                 t.tv_sec * 1'000'000'000LL + t.tv_nsec,
                 static_cast<long long>(QApplication::allWidgets().size()));
}

} // namespace qb
