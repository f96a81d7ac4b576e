// The nudge by which a change of the Activity state to or from Playing wakes the hook thread,
// which then takes its hooks out of the way of a playback's input or puts them back
// (PlaybackInputPath.h). Only a wake-up: any program can post the message too, so the hook
// thread takes nothing from it but the moment, reads the state itself, and its watchdog timer
// does the same each second should a nudge be lost.
#pragma once
#include <windows.h>

#include <atomic>

#include "core/Messages.h"

// The running hook thread's window, or null. Written by the hook thread (its window once it
// watches its hooks, null before it destroys it); read by NudgeHookThread on the playback worker.
inline std::atomic<HWND> gHookThreadNudgeWindow{nullptr};

// True when the running playback's recording presses F9 itself: the hook thread then hears the
// user's F9 by raw input, which tells the playback's own keys by their mark, not by a hot key,
// which could not. Written by the playback worker before its nudge; read by the hook thread.
inline std::atomic<bool> gPlaybackPressesStopKey{false};

// Any thread, right after it changed the Activity state to or from Playing.
inline void NudgeHookThread()
{
    const HWND window = gHookThreadNudgeWindow.load();
    if (window != nullptr) PostMessageW(window, HookThreadNudgeMessage, 0, 0);
}
