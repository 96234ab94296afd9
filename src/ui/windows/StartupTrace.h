#pragma once

namespace qb {

// For the start-up benchmark only: with QB_STARTUP_TRACE set, writes "main_loaded" now as
// monotonic nanoseconds, the number of widgets, and "end" on standard error; the benchmark,
// which watches the splash's pixels from outside, then ends the program. Without it, does
// nothing.
void TraceStartup();

} // namespace qb
