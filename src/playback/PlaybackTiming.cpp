// The real timing of playback: the worker thread's preparation, its waits, the stop that
// ends them, and its clock.
//
// Waits are meant to end within about a millisecond. Sleep alone runs on the system timer,
// which is coarse by default (and coarser still for a process without a visible window on
// newer systems), so a high-resolution waitable timer is used where the system offers one;
// elsewhere the timer resolution is raised to 1 ms once, never lowered. Under Wine the timer
// is accepted but fires on the wine server's coarser clock (often 1 to 3 ms late), while its
// Sleep is precise, so there the timer is not used either.
//
// Every wait ends as soon as the playback is stopped: it waits on the stop event together
// with the timer, or, without the timer, on the stop event with a time-out. Under Wine that
// time-out runs on the same coarse clock as the timer, so it covers all but the last few
// milliseconds of a wait and Sleep finishes them precisely; a stop within them is seen as
// soon as they are over.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>

#include "playback/Injection.h"

namespace {

// Not in every SDK's headers yet; the value is part of the platform's interface.
constexpr DWORD CreateWaitableTimerHighResolution = 0x00000002;

// DPI awareness contexts of SetThreadDpiAwarenessContext, looked up at run time so the
// program still starts on systems that lack it.
using DpiAwarenessContext = void*;
using SetThreadDpiAwarenessContextFunction = DpiAwarenessContext(WINAPI*)(DpiAwarenessContext);
const DpiAwarenessContext PerMonitorAwareV2 = reinterpret_cast<DpiAwarenessContext>(-4);
const DpiAwarenessContext PerMonitorAware = reinterpret_cast<DpiAwarenessContext>(-3);

void MakeThreadPerMonitorDpiAware()
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return;
    }
    FARPROC found = GetProcAddress(user32, "SetThreadDpiAwarenessContext");
    if (found == nullptr) {
        return;
    }
    auto setContext = reinterpret_cast<SetThreadDpiAwarenessContextFunction>(reinterpret_cast<void*>(found));
    if (setContext(PerMonitorAwareV2) == nullptr) {
        setContext(PerMonitorAware);
    }
}

// Whether the system timer's resolution has been raised to 1 ms (it is never lowered). Written
// and read on the worker thread; only one worker runs at a time.
bool gTimerResolutionRaised = false;

void RaiseTimerResolutionOnce()
{
    if (gTimerResolutionRaised) return;
    timeBeginPeriod(1);
    gTimerResolutionRaised = true;
}

bool RunsUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

HANDLE CreateHighResolutionTimer()
{
    HANDLE timer = RunsUnderWine()
                       ? nullptr
                       : CreateWaitableTimerExW(nullptr, nullptr, CreateWaitableTimerHighResolution, TIMER_ALL_ACCESS);
    if (timer == nullptr) {
        RaiseTimerResolutionOnce();
    }
    return timer;
}

// The high-resolution timer, or null where the system refused it (or under Wine) and waits
// go by the stop event's time-out and Sleep.
// Written by PreparePlaybackThread and PlaybackWait on the worker thread; only the one
// running worker thread uses it. The timer itself is created by the first worker and held
// until the process ends.
HANDLE gWaitTimer = nullptr;
// The timer the first worker created (null when the system refused one), and whether it has
// been tried. Written by PreparePlaybackThread on the worker thread; held to the end.
HANDLE gHighResolutionTimer = nullptr;
bool gHighResolutionTimerTried = false;
// Performance-counter ticks per second, 0 before the first reading. The counter's frequency is
// fixed at boot, so a second thread that reads it first writes the same value.
int64_t gClockFrequency = 0;

// The stop of the playback. Set by SignalPlaybackStop (main thread: the cancel, a close
// request, the exit), cleared by ResetPlaybackStop (main thread, while no worker runs); read
// by the worker's waits. The flag is what a wait reads when it does not block; the event
// (manual-reset; created by the first ResetPlaybackStop, before the first worker starts, and
// held until the process ends) wakes a wait that blocks.
std::atomic<bool> gStopRequested{false};
HANDLE gStopEvent = nullptr;
// The last part of a wait without the timer, which Sleep finishes instead of the stop
// event's time-out: under Wine that one ends up to a few milliseconds late (1.2 ms at the
// 99th percentile, 3.7 ms at most, measured), Sleep within a few tenths of a millisecond. A
// stop within this last part is seen when it is over.
constexpr int64_t PreciseFinishMicroseconds = 5000;
// The longest time-out of one call; INFINITE (0xFFFFFFFF) would never end.
constexpr int64_t LongestWaitMilliseconds = 0x7FFFFFFF;

bool IsStopRequested()
{
    return gStopRequested.load();
}

DWORD WaitPiece(int64_t milliseconds)
{
    return static_cast<DWORD>(milliseconds > LongestWaitMilliseconds ? LongestWaitMilliseconds : milliseconds);
}

void SleepMicroseconds(int64_t microseconds)
{
    // Rounded up, so that a record is never played before its time; the schedule takes the
    // overshoot off the next wait, so it does not add up.
    int64_t milliseconds = (microseconds + 999) / 1000;
    while (milliseconds > 0) {
        const DWORD piece = WaitPiece(milliseconds);
        Sleep(piece);
        milliseconds -= piece;
    }
}

enum class TimerWait {
    Elapsed,
    Stopped,
    Failed
};

// The high-resolution timer and the stop event together: whichever comes first.
TimerWait WaitOnTimer(int64_t microseconds)
{
    LARGE_INTEGER due;
    due.QuadPart = -microseconds * 10;  // relative, in units of 100 ns
    if (!SetWaitableTimer(gWaitTimer, &due, 0, nullptr, nullptr, FALSE)) return TimerWait::Failed;
    const HANDLE handles[2] = {gWaitTimer, gStopEvent};
    switch (WaitForMultipleObjects(gStopEvent != nullptr ? 2 : 1, handles, FALSE, INFINITE)) {
    case WAIT_OBJECT_0: return TimerWait::Elapsed;
    case WAIT_OBJECT_0 + 1: CancelWaitableTimer(gWaitTimer); return TimerWait::Stopped;
    default: CancelWaitableTimer(gWaitTimer); return TimerWait::Failed;
    }
}

// Waits on the stop event in whole milliseconds until the clock reads `until` or a little
// before; false when the stop came.
bool WaitForStopUntil(int64_t until)
{
    for (;;) {
        const int64_t milliseconds = (until - PlaybackClock()) / 1000;
        if (milliseconds <= 0) return true;
        const DWORD piece = WaitPiece(milliseconds);
        const DWORD result = gStopEvent != nullptr ? WaitForSingleObject(gStopEvent, piece) : WAIT_FAILED;
        if (result == WAIT_OBJECT_0) return false;
        // Without a working event the piece passes all the same, without the stop.
        if (result != WAIT_TIMEOUT) Sleep(piece);
    }
}

}  // namespace

void PreparePlaybackThread()
{
    MakeThreadPerMonitorDpiAware();
    if (!gHighResolutionTimerTried) {
        gHighResolutionTimer = CreateHighResolutionTimer();
        gHighResolutionTimerTried = true;
    }
    gWaitTimer = gHighResolutionTimer;
}

bool PlaybackWait(int64_t microseconds)
{
    if (IsStopRequested()) return false;
    if (microseconds <= 0) return true;
    if (gWaitTimer != nullptr) {
        switch (WaitOnTimer(microseconds)) {
        case TimerWait::Elapsed: return !IsStopRequested();
        case TimerWait::Stopped: return false;
        case TimerWait::Failed: break;
        }
        // The timer was created but does not work: the other way from now on.
        gWaitTimer = nullptr;
        RaiseTimerResolutionOnce();
    }
    const int64_t deadline = PlaybackClock() + microseconds;
    if (!WaitForStopUntil(deadline - PreciseFinishMicroseconds)) return false;
    SleepMicroseconds(deadline - PlaybackClock());
    return !IsStopRequested();
}

void SignalPlaybackStop()
{
    gStopRequested.store(true);
    if (gStopEvent != nullptr) SetEvent(gStopEvent);
}

void ResetPlaybackStop()
{
    if (gStopEvent == nullptr) gStopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (gStopEvent != nullptr) ResetEvent(gStopEvent);
    gStopRequested.store(false);
}

int64_t PlaybackClock()
{
    if (gClockFrequency == 0) {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        gClockFrequency = value.QuadPart;
    }
    const int64_t frequency = gClockFrequency;
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    const int64_t ticks = counter.QuadPart;
    // Split so that ticks * 1000000 cannot overflow for a counter that has run for long.
    return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
}
