// The hook thread: the thread that installs the low-level hooks, on which the system calls
// them, and which removes them. It only pumps its messages, so nothing the main thread does
// (a dialog, a slow disk, filling the list) delays the system's input or makes the system drop
// a hook whose call took too long. Should the system drop them all the same (a stall, sleep,
// a locked session), its watchdog installs them again.
#pragma once
#include <windows.h>

struct InstalledHooks {
    bool keyboard;
    bool mouse;  // tried only when the keyboard hook is installed
};

// Main thread, after LoadHookModules: starts the hook thread, which installs the keyboard
// hook and then the mouse hook through the modules; their events reach `window`. Returns once
// it has tried, with what it installed. A thread already running is stopped first.
InstalledHooks StartHookThread(HWND window);
// Main thread, before StartHookThread: what stops a playback. The stop must not wait for the main
// thread, which a window that takes seconds to hide or a dialog can hold up: at a user's F9
// during a playback the hook thread changes the Activity state from Playing to Busy, hands the
// main thread PlaybackStoppedByF9Message in the F9's place, and then calls `stop` itself.
void SetPlaybackStop(void (*stop)());
// Main thread: the hook thread removes its hooks and ends; waits a few seconds for that.
// True when no hook thread runs any more (also when none ran).
bool StopHookThread();

// For tests: the hook thread's hidden window, which the hook modules post to and which hears
// of resume and unlock (null when no hook thread runs); and how often the hook thread has
// installed the hooks again since it started.
HWND HookThreadWindow();
unsigned HookReinstallCount();
