// The worker thread's preparation, before its first wait: physical-pixel coordinates, the
// keyboard layout readied for injection, the way of waiting chosen (PlaybackTiming.cpp) and,
// where that way keeps to the system timer, the timer's resolution raised to 1 ms.
#include "playback/PlaybackThreadPreparation.h"

#include <windows.h>
#include <mmsystem.h>

#include "core/ModuleExports.h"
#include "playback/Injection.h"
#include "playback/PlaybackTiming.h"
#include "ui/ApartmentWindowGuard.h"

namespace {

// DPI awareness contexts of SetThreadDpiAwarenessContext, looked up at run time so the
// program still starts on systems that lack it.
using DpiAwarenessContext = void*;
using SetThreadDpiAwarenessContextFunction = DpiAwarenessContext(WINAPI*)(DpiAwarenessContext);
const DpiAwarenessContext PerMonitorAwareV2 = reinterpret_cast<DpiAwarenessContext>(-4);
const DpiAwarenessContext PerMonitorAware = reinterpret_cast<DpiAwarenessContext>(-3);

void MakeThreadPerMonitorDpiAware()
{
    const auto setContext =
        LookUpLoadedExport<SetThreadDpiAwarenessContextFunction>(L"user32.dll", "SetThreadDpiAwarenessContext");
    if (setContext == nullptr) return;
    if (setContext(PerMonitorAwareV2) == nullptr) {
        setContext(PerMonitorAware);
    }
}

// The first key mapping of a thread readies the keyboard layout for it, and under Wine the
// thread's own connection to the display, which the injection of keys and moves needs: some
// 30 ms, more on a busy machine. Done in the preparation, before the pass's pause, it does not
// hold up the first records.
void ReadyThreadForInjection()
{
    MapVirtualKeyW(VK_SPACE, MAPVK_VK_TO_VSC);
}

// Whether the system timer's resolution has been raised to 1 ms (it is never lowered). Written
// and read on the worker thread; only one worker runs at a time.
bool gTimerResolutionRaised = false;

}  // namespace

void RaiseTimerResolutionOnce()
{
    if (gTimerResolutionRaised) return;
    timeBeginPeriod(1);
    gTimerResolutionRaised = true;
}

void PreparePlaybackThread()
{
    MakeThreadPerMonitorDpiAware();
    // Its message that a window never came takes the focus, and so gets an apartment window.
    GuardApartmentWindows();
    ReadyThreadForInjection();
    // The stop event's time-outs and Sleep keep to the system timer.
    if (ChoosePlaybackWaitMethod() != PlaybackWaitMethod::HighResolutionTimer) RaiseTimerResolutionOnce();
}
