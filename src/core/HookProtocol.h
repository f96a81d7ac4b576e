// What the program and the two hook modules must agree on, and nothing else: the numbers of
// the messages by which a module reports input, and the playback mark they are given. Included
// by the program, by both hook modules and by the tests; it needs no platform header.
#pragma once
#include <atomic>
#include <cstdint>

// One input event reported by a hook module: wParam the input message, lParam per kind.
constexpr unsigned HookEventMessage = 0x0400 + 750;  // WM_USER + 750 = 1774
// Input that a hook saw and does not report (a wheel step smaller than a notch, say): it tells
// the hook thread that the hook is alive and goes no further. wParam 0 keyboard, 1 mouse (the
// keyboard hook is given key messages only, and reports them all, so it sends none today).
constexpr unsigned HookAliveMessage = 0x0400 + 752;  // WM_USER + 752 = 1776

// The mark of the running playback, in the program's memory; the program hands its address to
// both modules (ShareKeyBoardHookMark, ShareMouseHookMark) before it installs the hooks, so
// nothing outside the process can read or set it. A playback draws a fresh random mark when it
// starts and clears it when it ends; every event it injects carries the mark as its extra
// information, and the hooks pass such an event on unreported, only while the mark is set and
// only with that very value. Any other input is reported, whatever its extra information.
struct PlaybackMark {
    std::atomic<uintptr_t> mark;  // 0: no playback runs, every input is reported
    // The tick (GetTickCount) of the last event each hook passed on unreported because it
    // carried the mark: the watchdog counts it as a report, so a playback's own input never
    // looks like input of a dropped hook.
    std::atomic<uint32_t> keyboardPassedOn;
    std::atomic<uint32_t> mousePassedOn;
};
