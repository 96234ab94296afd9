#pragma once

// The engine's working precision: quad (113-bit significand), so that the figures survive the
// cancellation that ill-conditioned data causes in 64-bit arithmetic.
__extension__ typedef __float128 Real;
