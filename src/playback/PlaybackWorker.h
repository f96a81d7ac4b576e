// Replays the recording at gPlaybackPath on a thread of its own.
#pragma once
#include <windows.h>

// The thread procedure; its parameter is the main window, which gets the final message.
DWORD WINAPI PlaybackWorker(LPVOID mainWindow);
// Main thread: starts PlaybackWorker on a new thread. Refuses (false) while an earlier worker
// thread has not ended yet.
bool StartPlaybackWorker(HWND mainWindow);
// Main thread: true while a worker thread that was started has not ended.
bool IsPlaybackWorkerRunning();
// Common exit: closes the handles of started worker threads without waiting for them.
void CloseWorkerThreadHandles();
