#pragma once

class QWidget;

namespace qb {

// For the start-up benchmark only: with QB_STARTUP_TRACE set, writes "main_loaded" now and
// "splash_painted" once the splash has been painted, as monotonic nanoseconds on standard
// error, with the number of widgets, then ends the program. Without it, does nothing.
void TraceStartup(QWidget& splash);

} // namespace qb
