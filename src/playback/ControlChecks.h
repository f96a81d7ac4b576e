// What the playback worker finds out about a press's control before the press goes in: the
// control itself in its top-level window, and the checks that DecideControlReadiness weighs
// (ControlReadiness.h). Win32 calls only; the decision is pure.
#pragma once
#include <windows.h>

#include <cstdint>

#include "core/ControlIdentity.h"
#include "playback/ControlReadiness.h"

// Worker thread, at the start of a pass: reads what stays the same through it (the integrity
// level of our own process, the name of our own desktop) and forgets the targets' levels.
void StartControlChecks();
// The control of the identity in the top-level window: a descendant of the same class,
// identifier and place among its same-class siblings, the first one visible and enabled if
// several are; null when there is none. `now` gets its screen rectangle (physical pixels).
HWND FindControl(HWND window, const ControlIdentity& target, ControlIdentity& now);
// The checks for a press into `control` (null: none found) in the top-level `window`; the focus
// only `withFocus` (for a key). Answering is asked with a message that waits at most a few
// milliseconds.
ControlChecks CheckControl(HWND window, HWND control, bool withFocus);
// The window's DPI now, read as the recorder reads it (core/ControlIdentityRead.h); 0 when unknown.
int32_t WindowDisplayDpi(HWND window);
