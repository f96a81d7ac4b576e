// What the program and the two hook modules must agree on, and nothing else: the number of
// the message by which a module reports one input event. Included by the program, by both
// hook modules and by the tests; it needs no platform header.
#pragma once

// One input event reported by a hook module: wParam the input message, lParam per kind.
constexpr unsigned HookEventMessage = 0x0400 + 750;  // WM_USER + 750 = 1774
// Input that a hook saw and does not report (a wheel step smaller than a notch, say): it tells
// the hook thread that the hook is alive and goes no further. wParam 0 keyboard, 1 mouse.
constexpr unsigned HookAliveMessage = 0x0400 + 752;  // WM_USER + 752 = 1776
// The extra information of every event that the program injects itself, so that the hook
// modules can pass its own playback on without reporting it.
constexpr unsigned long InjectedInputMark = 0x54414E44;  // "TAND"
