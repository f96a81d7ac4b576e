// The millisecond clock: the performance counter in milliseconds, or the tick count on a
// machine without a performance counter.
#include "recording/MillisecondClock.h"

#include <windows.h>

namespace {

// Counter ticks per millisecond, fixed at the first reading: 0 when there is no usable
// performance counter (the tick count is used then), -1 before the first reading. Written
// and read by ReadMillisecondClock on the main thread only.
int64_t gCounterTicksPerMillisecond = -1;

int64_t FindCounterTicksPerMillisecond()
{
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency)) return 0;
    // A counter slower than 1 kHz cannot count milliseconds; the tick count can.
    return frequency.QuadPart / 1000;
}

}  // namespace

uint32_t ReadMillisecondClock()
{
    if (gCounterTicksPerMillisecond < 0) gCounterTicksPerMillisecond = FindCounterTicksPerMillisecond();
    if (gCounterTicksPerMillisecond > 0) {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        return static_cast<uint32_t>(counter.QuadPart / gCounterTicksPerMillisecond);
    }
    return GetTickCount();
}
