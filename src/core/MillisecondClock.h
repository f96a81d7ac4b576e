// The program's millisecond clock: a 32-bit count from an arbitrary origin; only differences
// of two readings mean anything. The hook thread reads it when an input event reaches it and
// the recorder takes each record's delay from those readings, so both must read one clock. In
// an object library of its own so that tests can link a scripted clock instead.
#pragma once
#include <cstdint>

// Any thread.
uint32_t ReadMillisecondClock();
