// Replays the recording at gPlaybackPath on a thread of its own.
#pragma once
#include <windows.h>

#include <cstdint>

// The thread procedure; its parameter is the main window, which gets the final message.
DWORD WINAPI PlaybackWorker(LPVOID mainWindow);
// Main thread: starts PlaybackWorker on a new thread. Refuses (false) while an earlier worker
// thread has not ended yet.
bool StartPlaybackWorker(HWND mainWindow);
// Main thread: true while a worker thread that was started has not ended.
bool IsPlaybackWorkerRunning();
// Main thread: stops the running worker, if any: its wait ends at once, and it injects
// nothing more, releases what it holds, posts its end and ends, within milliseconds. Returns
// once no injection of a record is under way (the cancel sets Busy before it calls this).
void StopPlaybackWorker();
// Main thread, the exit: stops the running worker and waits at most this long for its end;
// should it not end, releases what the Held-input list holds, and the worker injects nothing
// more. Never waits for an injection call that does not return.
void StopPlaybackForExit(uint32_t milliseconds);
// Main thread: waits at most this long for a started worker thread to end; true when none
// runs (any more).
bool WaitForPlaybackWorkerEnd(uint32_t milliseconds);
// Common exit: closes the handles of started worker threads without waiting for them.
void CloseWorkerThreadHandles();

// How the last worker ended, for the run log: Running until it ends (also while none was
// started); all passes played; Stopped for every stop (F9's cancel, a close request, the
// exit); the file could not be opened; a window the recording went to never came; a press's
// control did not become ready; its window did not answer; the session stayed locked; its
// window runs with higher rights (the user was told of each of the last five).
enum class PlaybackEnd : int32_t {
    Running,
    Played,
    Stopped,
    Unreadable,
    WindowMissing,
    ControlMissing,
    NotAnswering,
    SessionLocked,
    HigherRights
};
// Any thread, once the worker's end message (PlaybackEndedMessage, or WM_CLOSE in unattended
// mode) has arrived: how the last worker ended, and how many of its passes it played to the end.
PlaybackEnd LastPlaybackEnd();
int32_t PlayedPassCount();
