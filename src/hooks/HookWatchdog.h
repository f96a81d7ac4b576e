// The hook thread's watchdog decision: whether the system has dropped the low-level hooks.
// Windows removes a hook whose call took longer than its time-out without telling the
// program; the only sign is input that the system saw and neither hook reported. Pure logic
// on the system's 32-bit millisecond ticks (GetTickCount's), which wrap every 49.7 days:
// every comparison is made on ages (now minus the tick), so it holds across the wrap.
#pragma once
#include <cstdint>

// How often the hook thread looks.
constexpr uint32_t HookCheckPeriodMilliseconds = 1000;
// How long a hook has to report an input: a hook call that takes longer than its time-out
// (at most 1 s) is dropped by the system itself.
constexpr uint32_t HookReportGraceMilliseconds = 1000;
// How far the system's tick of an input may lie after the tick of the hook's report of that
// same input: the two are taken at different points of the input's way through the system.
constexpr uint32_t HookReportSlackMilliseconds = 250;
// A tick up to this far after now counts as now: the system's clocks for messages and for
// input may be read a moment apart.
constexpr uint32_t HookTickAheadMilliseconds = 60000;

// What the watchdog knows at a check, as ticks.
struct HookWatchTicks {
    uint32_t lastInput;        // the system's last input (GetLastInputInfo) at this check
    uint32_t lastInputBefore;  // the same at the previous check
    uint32_t keyboardReport;   // the last event the keyboard hook reported
    uint32_t mouseReport;      // the last event the mouse hook reported
    uint32_t settled;          // input until then needs no report: the hooks were (re)installed
                               // then, or a playback ran, whose cursor moves the hooks never see
};

// True when the system has had input more than the grace ago (the last input now, or the one
// the previous check saw, which continuous input would otherwise keep hiding) that lies after
// every report and after `settled` by more than the slack: neither hook reported it.
bool ShouldReinstallHooks(const HookWatchTicks& ticks, uint32_t now);
// When to look next: the period, or sooner when input that no hook has reported yet is too
// fresh to judge, so that it is judged as soon as its grace has run out.
uint32_t NextHookCheckDelay(const HookWatchTicks& ticks, uint32_t now);
