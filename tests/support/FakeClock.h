// A scripted millisecond clock for the recorder's tests.
#pragma once
#include <cstdint>

// The value ReadMillisecondClock returns, and how often it was read.
extern uint32_t gFakeClockNow;
extern int gFakeClockReads;
