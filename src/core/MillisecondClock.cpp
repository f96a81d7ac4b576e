// The millisecond clock: the performance counter in milliseconds, or the tick count on a
// machine without a performance counter.
#include "core/MillisecondClock.h"

#include <windows.h>

#include <atomic>

namespace {

// Counter ticks per millisecond, fixed at the first reading: 0 when there is no usable
// performance counter (the tick count is used then), -1 before the first reading. Written by
// the first ReadMillisecondClock on any thread (the hook thread and the main thread may both
// be first; they find the same value); read by every later one. 32 bits, so that reading it
// is a plain load on a 32-bit processor (2^31 ticks per millisecond is far beyond any counter).
std::atomic<int32_t> gCounterTicksPerMillisecond{-1};

int32_t FindCounterTicksPerMillisecond()
{
    LARGE_INTEGER frequency;
    if (!QueryPerformanceFrequency(&frequency)) return 0;
    // A counter slower than 1 kHz cannot count milliseconds; the tick count can.
    const int64_t ticks = frequency.QuadPart / 1000;
    return ticks > 0x7FFFFFFF ? 0 : static_cast<int32_t>(ticks);
}

}  // namespace

uint32_t ReadMillisecondClock()
{
    int32_t ticksPerMillisecond = gCounterTicksPerMillisecond.load(std::memory_order_relaxed);
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
