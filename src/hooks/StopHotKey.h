// F9 as a registered hot key of the hook thread's window: while a playback runs it takes the
// place of both low-level hooks, whose every call would hold up an injected key or mouse event
// until the hook thread had been called with it. The system looks for a hot key as it queues
// a key and posts WM_HOTKEY only for F9, so the playback's other keys wake nothing of ours.
#pragma once
#include <windows.h>

// Hook thread: F9 with any of the sixteen combinations of Alt, Ctrl, Shift and Windows (a user's
// F9 counts whatever the playback or the user holds). True when all sixteen are registered; when
// any is taken by another program, none stays registered.
bool RegisterStopHotKeys(HWND window);
// Hook thread: undoes RegisterStopHotKeys (a WM_HOTKEY already queued still comes).
void UnregisterStopHotKeys(HWND window);
// Hook thread, on WM_HOTKEY: true for one of ours. Anyone can post WM_HOTKEY to the window;
// one that is forged so stands for an F9, which any program may inject as well.
bool IsStopHotKey(WPARAM id);
