// The hook thread: installs the two low-level hooks, pumps its messages (the system calls
// the hook procedures from inside that pumping) until it is asked to end, and removes them.
//
// The hook procedures only post to the main window and return; on this thread nothing else
// runs and nothing waits, so each hook call returns within the system's time-out however
// busy the main thread is. The thread has no window: what it is asked to do comes as thread
// messages, and timers with a procedure are dispatched by its loop.
#include "hooks/HookThread.h"

#include "hooks/HookModules.h"

namespace {

// Asks the hook thread to remove its hooks and end.
constexpr UINT EndHookThreadMessage = WM_APP + 1;
// How long the main thread waits for the hook thread to end: it only has to return from its
// wait and remove two hooks.
constexpr DWORD HookThreadEndWaitMilliseconds = 5000;

struct HookThreadStart {
    HWND window;            // where the hook modules post their events
    HANDLE ready;           // set by the thread once it has tried to install both hooks
    InstalledHooks result;  // written by the thread before it sets `ready`
};

// The running hook thread and its id, or null and 0. Written by StartHookThread and
// StopHookThread on the main thread; read by StopHookThread.
HANDLE gHookThread = nullptr;
DWORD gHookThreadId = 0;

// One message of the thread's queue; false when the thread is to end.
bool OnHookThreadMessage(const MSG& message)
{
    if (message.message == EndHookThreadMessage) return false;
    DispatchMessageW(&message);
    return true;
}

DWORD WINAPI HookThread(LPVOID parameter)
{
    auto* start = static_cast<HookThreadStart*>(parameter);
    // The thread's message queue exists before the main thread hears from it, so that the
    // message that ends the thread cannot be posted into nothing.
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    start->result.keyboard = InstallKeyboardHook(start->window);
    start->result.mouse = start->result.keyboard && InstallMouseHook(start->window);
    SetEvent(start->ready);  // `start` belongs to the main thread from here on

    // 0 is WM_QUIT, -1 a failed wait: either way the loop cannot go on.
    while (GetMessageW(&message, nullptr, 0, 0) > 0 && OnHookThreadMessage(message)) {
    }
    RemoveHooks();
    return 0;
}

}  // namespace

InstalledHooks StartHookThread(HWND window)
{
    if (!StopHookThread()) return {false, false};
    HookThreadStart start{window, CreateEventW(nullptr, TRUE, FALSE, nullptr), {false, false}};
    if (start.ready == nullptr) return start.result;
    gHookThread = CreateThread(nullptr, 0, HookThread, &start, 0, &gHookThreadId);
    if (gHookThread != nullptr) {
        // The thread either reports or, should it somehow end first, has installed nothing
        // it still holds.
        const HANDLE either[2] = {start.ready, gHookThread};
        if (WaitForMultipleObjects(2, either, FALSE, INFINITE) != WAIT_OBJECT_0) start.result = {false, false};
    }
    CloseHandle(start.ready);
    return start.result;
}

bool StopHookThread()
{
    if (gHookThread == nullptr) return true;
    PostThreadMessageW(gHookThreadId, EndHookThreadMessage, 0, 0);
    const bool ended = WaitForSingleObject(gHookThread, HookThreadEndWaitMilliseconds) == WAIT_OBJECT_0;
    CloseHandle(gHookThread);
    gHookThread = nullptr;
    gHookThreadId = 0;
    return ended;
}
