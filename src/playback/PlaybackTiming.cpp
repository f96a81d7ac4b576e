// The real timing of playback: the worker thread's preparation, its waits and its clock.
//
// Waits are meant to end within about a millisecond. Sleep alone runs on the system timer,
// which is coarse by default (and coarser still for a process without a visible window on
// newer systems), so a high-resolution waitable timer is used where the system offers one;
// elsewhere Sleep with the timer resolution raised to 1 ms once, never lowered. Under Wine the
// timer is accepted but fires on the wine server's coarser clock (often 1 to 3 ms late),
// while its Sleep is precise, so there Sleep is used too.
#include <windows.h>
#include <mmsystem.h>

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

// The high-resolution timer, or null where the system refused it and waits are Sleeps.
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

void SleepMicroseconds(int64_t microseconds)
{
    // Rounded up, so that a record is never played before its time; the schedule takes the
    // overshoot off the next wait, so it does not add up.
    int64_t milliseconds = (microseconds + 999) / 1000;
    while (milliseconds > 0) {
        const DWORD piece = milliseconds > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(milliseconds);
        Sleep(piece);
        milliseconds -= piece;
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

void PlaybackWait(int64_t microseconds)
{
    if (microseconds <= 0) {
        return;
    }
    if (gWaitTimer != nullptr) {
        LARGE_INTEGER due;
        due.QuadPart = -microseconds * 10;  // relative, in units of 100 ns
        if (SetWaitableTimer(gWaitTimer, &due, 0, nullptr, nullptr, FALSE) &&
            WaitForSingleObject(gWaitTimer, INFINITE) == WAIT_OBJECT_0) {
            return;
        }
        // The timer was created but does not work: Sleep from now on.
        gWaitTimer = nullptr;
        RaiseTimerResolutionOnce();
    }
    SleepMicroseconds(microseconds);
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
