// The millisecond clock: the performance counter in milliseconds, or the tick count on a
// machine without a performance counter.
#include "core/MillisecondClock.h"

#include <windows.h>

#include <atomic>

namespace {

// Counter ticks per millisecond, fixed at the first reading: 0 when there is no usable
// performance counter (the tick count is used then), -1 before the first reading. Written by
// the first ReadMillisecondClock on any thread (the hook thread and the main thread may both
// be first; they find the same value); read by every later one.
std::atomic<int64_t> gCounterTicksPerMillisecond{-1};

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
    int64_t ticksPerMillisecond = gCounterTicksPerMillisecond.load(std::memory_order_relaxed);
    if (ticksPerMillisecond < 0) {
        ticksPerMillisecond = FindCounterTicksPerMillisecond();
        gCounterTicksPerMillisecond.store(ticksPerMillisecond, std::memory_order_relaxed);
    }
    if (ticksPerMillisecond > 0) {
        LARGE_INTEGER counter;
        QueryPerformanceCounter(&counter);
        return static_cast<uint32_t>(counter.QuadPart / ticksPerMillisecond);
    }
    return GetTickCount();
}
