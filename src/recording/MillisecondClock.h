// The recorder's millisecond clock: a 32-bit count from an arbitrary origin; only
// differences of two readings mean anything. In an object library of its own so that tests
// can link a scripted clock instead.
#pragma once
#include <cstdint>

uint32_t ReadMillisecondClock();
