// The nudge by which a change of the Activity state to or from Playing wakes the hook thread,
// which then takes its keyboard hook out of the way of a playback's keys or puts it back
// (HookThread.cpp). Only a wake-up: any program can post the message too, so the hook thread
// takes nothing from it but the moment, reads the state itself, and its watchdog timer does the
// same each second should a nudge be lost.
#pragma once
#include <windows.h>

#include <atomic>

#include "core/Messages.h"

// The running hook thread's window, or null. Written by the hook thread (its window once it
// watches its hooks, null before it destroys it); read by NudgeHookThread on the playback worker.
inline std::atomic<HWND> gHookThreadNudgeWindow{nullptr};

// Any thread, right after it changed the Activity state to or from Playing.
inline void NudgeHookThread()
{
    const HWND window = gHookThreadNudgeWindow.load();
    if (window != nullptr) PostMessageW(window, HookThreadNudgeMessage, 0, 0);
}
