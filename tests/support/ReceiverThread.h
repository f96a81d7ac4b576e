// A thread of the test's own with a message-only window, standing in for the main window that
// the hook thread passes its events on to; and a wait for a condition that other threads make
// true.
#pragma once
#include <windows.h>

struct ReceiverThread {
    HANDLE thread;
    DWORD id;
    HWND window;  // null when the window could not be made
};

// Starts the thread, which makes its window of `className` with `procedure` and dispatches its
// messages. False when the thread or its window could not be made.
bool StartReceiverThread(const wchar_t* className, WNDPROC procedure, ReceiverThread& receiver);
// Ends the thread once it has handled everything posted to it before, and waits for it.
void FinishReceiverThread(ReceiverThread& receiver);

// Polls `condition` every 10 ms; false when it has not come true within `milliseconds`.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(10);
    }
    return true;
}
