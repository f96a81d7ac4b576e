// What hears input while a playback runs. With the low-level hooks installed, every key and
// mouse event the worker injects waits until the hook thread has been called with it, marked or
// not; yet while the Activity state is Playing the program wants nothing but a user's F9. So
// for a playback the hook thread takes both hooks out of the way and hears F9 by a lighter way:
// - F9 as a hot key (StopHotKey.h), which wakes the thread for F9 alone; taken when all its
//   combinations are free and the recording presses no F9 of its own, which a hot key could not
//   tell from the user's;
// - otherwise the keyboard's raw input (RawKeyboard.h), which reports every key after the fact
//   and tells the playback's own keys by their mark.
// When the state leaves Playing, both hooks are installed again. The hook thread follows the
// state alone: a nudge from the worker and the watchdog's timer only make it look.
#pragma once
#include <windows.h>

#include <cstdint>

// Hook thread, once its hooks are installed: a fresh start with both hooks in place.
void StartPlaybackInputPath();
// Hook thread: takes the path the Activity state (and the recording) calls for. Returns true
// when it has just installed the hooks again after a playback. Should the keyboard hook be
// refused, the playback's path stays until a later call; should the mouse hook be, the
// watchdog finds it missing as it would a dropped one.
bool FollowPlaybackState(HWND window);
// Hook thread, for the watchdog, with the hooks removed (after resume or unlock, or when one
// was dropped): installs again what the path needs: both hooks, or while they are off for a
// playback its raw input (a hot key survives both), never a hook that is off on purpose. True
// when all of it is in place.
bool InstallPlaybackInputPathAgain(HWND window);
// Hook thread, before its window goes: takes back the raw input or the hot keys.
void StopPlaybackInputPath(HWND window);

// Hook thread: whether a key that happened at this tick (its message's time) is raw input's to
// report. Around each switch both ways are in place for a moment: raw input reports the keys
// from the tick before the hooks went up to the tick after they came back; a key in the moment
// of the start may come twice (while playing only F9 counts, and it cancels once), one in the
// moment of the end comes from both, and IsSecondReportOfKey drops the second.
bool IsRawKeyboardTime(uint32_t time);
// Hook thread, for each key reported by the hook or by raw input after the hooks came back:
// true when the other way has reported the same key in the moment both heard it.
bool IsSecondReportOfKey(bool fromHook, uint32_t message, uint32_t virtualKey, uint32_t time);
// Hook thread: whether a WM_HOTKEY of ours is to count. Only while the path is the hot key:
// one handled after the hooks came back was a press they report themselves.
bool IsStopHotKeyTime();
