// The test's stand-in for the main window, on a thread of its own.
#include "support/ReceiverThread.h"

#include "support/WindowHelpers.h"

namespace {

constexpr DWORD ReceiverDeadlineMs = 20000;
// The receiver ends on this thread message, after everything posted to it before.
constexpr UINT FinishReceiverMessage = WM_APP + 7;

struct ReceiverStart {
    const wchar_t* className;
    WNDPROC procedure;
    HANDLE ready;
    HWND window;  // written by the thread before it sets `ready`
};

DWORD WINAPI Receiver(LPVOID parameter)
{
    auto* start = static_cast<ReceiverStart*>(parameter);
    const HWND window = OpenMessageWindow(start->className, start->procedure);
    start->window = window;
    SetEvent(start->ready);  // `start` belongs to the starting thread from here on
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0 && msg.message != FinishReceiverMessage) DispatchMessageW(&msg);
    if (window != nullptr) DestroyWindow(window);
    return 0;
}

}  // namespace

bool StartReceiverThread(const wchar_t* className, WNDPROC procedure, ReceiverThread& receiver)
{
    receiver = {};
    ReceiverStart start{className, procedure, CreateEventW(nullptr, TRUE, FALSE, nullptr), nullptr};
    if (start.ready == nullptr) return false;
    receiver.thread = CreateThread(nullptr, 0, Receiver, &start, 0, &receiver.id);
    // The thread either reports or has ended: `start` is not touched once this wait is over.
    const HANDLE either[2] = {start.ready, receiver.thread};
    const bool ready =
        receiver.thread != nullptr && WaitForMultipleObjects(2, either, FALSE, INFINITE) == WAIT_OBJECT_0;
    CloseHandle(start.ready);
    if (ready) receiver.window = start.window;
    return ready && receiver.window != nullptr;
}

void FinishReceiverThread(ReceiverThread& receiver)
{
    if (receiver.thread == nullptr) return;
    PostThreadMessageW(receiver.id, FinishReceiverMessage, 0, 0);
    WaitForSingleObject(receiver.thread, ReceiverDeadlineMs);
    CloseHandle(receiver.thread);
    receiver = {};
}
