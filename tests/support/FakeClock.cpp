// The recorder's clock, answered from gFakeClockNow.
#include "support/FakeClock.h"

#include "core/MillisecondClock.h"

uint32_t gFakeClockNow = 0;
int gFakeClockReads = 0;

uint32_t ReadMillisecondClock()
{
    ++gFakeClockReads;
    return gFakeClockNow;
}
