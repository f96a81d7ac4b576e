// The real timing of playback: the worker's ways of waiting, the stop that ends them, and its
// clock. The worker thread's preparation, which chooses the way, is PlaybackThreadPreparation.cpp.
//
// Each wait is made with the finest means the system offers (PlaybackTiming.h names them).
// Under Wine every wait with a time-out (Sleep, the stop event's, a waitable timer's) is a
// round trip to the wine server and runs on its clock, ending up to a few milliseconds late,
// while ntdll's NtDelayExecution waits in the process itself, in units of 100 ns, to within a
// tenth of a millisecond: so the whole wait is NtDelayExecution, in slices of at most a
// millisecond with the stop flag read between them, and the last 0.1 ms watched on the clock,
// since each sleep wakes 50 to 100 us late. On Windows, where NtDelayExecution keeps to
// the system timer's ticks, the high-resolution waitable timer of Windows 10 1803 and later
// ends within a fraction of a millisecond, and the worker waits on it together with the stop
// event. Elsewhere (older Windows) the system timer's resolution is raised to 1 ms once, never
// lowered, and Sleep finishes each wait in whole milliseconds.
//
// Every wait ends as soon as the playback is stopped: within a slice under Wine, at once where
// the stop event is part of the wait, and after the last stretch (at most 2 ms, 5 ms with Sleep)
// where it is not.
#include "playback/PlaybackTiming.h"

#include <windows.h>

#include <atomic>

#include "core/ModuleExports.h"
#include "playback/Injection.h"
#include "playback/PlaybackThreadPreparation.h"

namespace {

// Not in every SDK's headers yet; the value is part of the platform's interface.
constexpr DWORD CreateWaitableTimerHighResolution = 0x00000002;

bool RunsUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// ntdll's NtDelayExecution: (alertable, interval in units of 100 ns, negative for one
// relative to now). Looked up at run time: it is not part of the documented interface.
using DelayExecutionFunction = LONG(NTAPI*)(BOOLEAN, PLARGE_INTEGER);

DelayExecutionFunction LookUpDelayExecution()
{
    return LookUpLoadedExport<DelayExecutionFunction>(L"ntdll.dll", "NtDelayExecution");
}

// The means of waiting this system offers: found by the first preparation and held until the
// process ends (the timer too). Written by ChoosePlaybackWaitMethod on the worker thread; only
// one worker runs at a time, and later ones only read it.
struct WaitMeans {
    bool found;
    bool underWine;
    HANDLE highResolutionTimer;             // null where the system refused one
    DelayExecutionFunction delayExecution;  // null where ntdll lacks it
};
WaitMeans gWaitMeans = {};
// The method the benchmark or a test asked for, if any. Written by PreferPlaybackWaitMethod and
// UseFinestPlaybackWaitMethod on the main thread before it starts a worker; read by
// ChoosePlaybackWaitMethod on the worker.
bool gMethodPreferred = false;
PlaybackWaitMethod gPreferredMethod = PlaybackWaitMethod::Sleep;
// The method of the running worker's waits. Written by ChoosePlaybackWaitMethod, and by
// PlaybackWait when the timer fails, on the worker thread; read by its waits.
PlaybackWaitMethod gWaitMethod = PlaybackWaitMethod::Sleep;
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
// The last part of a wait that NtDelayExecution makes: the stop event's wait leaves at least
// this much, and less than a millisecond more (it waits whole milliseconds). Under Wine that
// wait ends late by up to a millisecond and a little (the wine server rounds its time-outs up
// to whole milliseconds), and this absorbs it.
constexpr int64_t FineFinishMicroseconds = 1000;
// The longest slice of an in-process wait: a stop is seen within it.
constexpr int64_t SliceMicroseconds = 1000;
// The last part of an in-process wait, watched on the clock rather than slept: NtDelayExecution
// wakes some 50 to 100 us after its time (the kernel's timer slack and the wake-up), so the
// sleep ends this much early and the clock is read until the time has come. Mostly some
// 30 us of watching per wait; none at all when the wake-up came later than this.
constexpr int64_t WatchedFinishMicroseconds = 100;
// The last part of a wait that Sleep finishes: under Wine the stop event's time-out ends up to
// a few milliseconds late (1.2 ms at the 99th percentile, 3.7 ms at most, measured), and Sleep
// in whole milliseconds.
constexpr int64_t SleepFinishMicroseconds = 5000;
// The longest time-out of one call; INFINITE (0xFFFFFFFF) would never end.
constexpr int64_t LongestWaitMilliseconds = 0x7FFFFFFF;

void FindWaitMeans()
{
    if (gWaitMeans.found) return;
    gWaitMeans.found = true;
    gWaitMeans.underWine = RunsUnderWine();
    gWaitMeans.delayExecution = LookUpDelayExecution();
    gWaitMeans.highResolutionTimer =
        CreateWaitableTimerExW(nullptr, nullptr, CreateWaitableTimerHighResolution, TIMER_ALL_ACCESS);
}

bool IsOffered(PlaybackWaitMethod method)
{
    switch (method) {
    case PlaybackWaitMethod::InProcessSlices:
    case PlaybackWaitMethod::DelayExecution: return gWaitMeans.delayExecution != nullptr;
    case PlaybackWaitMethod::HighResolutionTimer: return gWaitMeans.highResolutionTimer != nullptr;
    case PlaybackWaitMethod::Sleep: return true;
    }
    return false;
}

PlaybackWaitMethod FinestWaitMethod()
{
    // Under Wine the timer is accepted but fires on the wine server's clock; on Windows
    // NtDelayExecution keeps to the system timer's ticks as Sleep does.
    const PlaybackWaitMethod finest =
        gWaitMeans.underWine ? PlaybackWaitMethod::InProcessSlices : PlaybackWaitMethod::HighResolutionTimer;
    return IsOffered(finest) ? finest : PlaybackWaitMethod::Sleep;
}

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

void DelayFor(int64_t microseconds)
{
    LARGE_INTEGER interval;
    interval.QuadPart = -microseconds * 10;  // relative, in units of 100 ns
    gWaitMeans.delayExecution(FALSE, &interval);
}

// Waits with NtDelayExecution until the clock reads `until`; again should it end early.
void DelayUntil(int64_t until)
{
    for (;;) {
        const int64_t remaining = until - PlaybackClock();
        if (remaining <= 0) return;
        DelayFor(remaining);
    }
}

// The whole wait in the process itself, the stop read before each slice: no wine server
// round trip, and a stop seen within a slice.
bool WaitInProcessSlices(int64_t microseconds)
{
    const int64_t deadline = PlaybackClock() + microseconds;
    for (;;) {
        if (IsStopRequested()) return false;
        const int64_t remaining = deadline - PlaybackClock();
        if (remaining <= 0) return true;
        if (remaining <= WatchedFinishMicroseconds) {
            YieldProcessor();
            continue;
        }
        const int64_t sleep = remaining - WatchedFinishMicroseconds;
        DelayFor(sleep < SliceMicroseconds ? sleep : SliceMicroseconds);
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
    const HANDLE timer = gWaitMeans.highResolutionTimer;
    LARGE_INTEGER due;
    due.QuadPart = -microseconds * 10;  // relative, in units of 100 ns
    if (!SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) return TimerWait::Failed;
    const HANDLE handles[2] = {timer, gStopEvent};
    switch (WaitForMultipleObjects(gStopEvent != nullptr ? 2 : 1, handles, FALSE, INFINITE)) {
    case WAIT_OBJECT_0: return TimerWait::Elapsed;
    case WAIT_OBJECT_0 + 1: CancelWaitableTimer(timer); return TimerWait::Stopped;
    default: CancelWaitableTimer(timer); return TimerWait::Failed;
    }
}

// Waits on the stop event in whole milliseconds until the clock reads `until` or up to a
// millisecond before; false when the stop came.
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

bool WaitWithDelayExecution(int64_t microseconds)
{
    const int64_t deadline = PlaybackClock() + microseconds;
    if (!WaitForStopUntil(deadline - FineFinishMicroseconds)) return false;
    DelayUntil(deadline);
    return !IsStopRequested();
}

bool WaitWithSleep(int64_t microseconds)
{
    const int64_t deadline = PlaybackClock() + microseconds;
    if (!WaitForStopUntil(deadline - SleepFinishMicroseconds)) return false;
    SleepMicroseconds(deadline - PlaybackClock());
    return !IsStopRequested();
}

}  // namespace

PlaybackWaitMethod ChoosePlaybackWaitMethod()
{
    FindWaitMeans();
    gWaitMethod = gMethodPreferred && IsOffered(gPreferredMethod) ? gPreferredMethod : FinestWaitMethod();
    return gWaitMethod;
}

bool PlaybackWait(int64_t microseconds)
{
    if (IsStopRequested()) return false;
    if (microseconds <= 0) return true;
    switch (gWaitMethod) {
    case PlaybackWaitMethod::InProcessSlices: return WaitInProcessSlices(microseconds);
    case PlaybackWaitMethod::DelayExecution: return WaitWithDelayExecution(microseconds);
    case PlaybackWaitMethod::HighResolutionTimer:
        switch (WaitOnTimer(microseconds)) {
        case TimerWait::Elapsed: return !IsStopRequested();
        case TimerWait::Stopped: return false;
        case TimerWait::Failed: break;
        }
        // The timer was created but does not work: the other way from now on.
        gWaitMethod = PlaybackWaitMethod::Sleep;
        RaiseTimerResolutionOnce();
        return WaitWithSleep(microseconds);
    case PlaybackWaitMethod::Sleep: return WaitWithSleep(microseconds);
    }
    return WaitWithSleep(microseconds);
}

PlaybackWaitMethod PlaybackWaitMethodInUse()
{
    return gWaitMethod;
}

void PreferPlaybackWaitMethod(PlaybackWaitMethod method)
{
    gPreferredMethod = method;
    gMethodPreferred = true;
}

void UseFinestPlaybackWaitMethod()
{
    gMethodPreferred = false;
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
