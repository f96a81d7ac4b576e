// The hooks on a thread of their own, with the built modules: the events reach the window
// while the thread that started the hook thread is blocked and pumps nothing (as the main
// thread is during a dialog's start or a slow write); a move's address lies in the mouse
// module's image and nothing else does; once the hook thread is stopped nothing more comes.
//
// The window belongs to a receiver thread of the test's own, which also holds a reference
// keyboard hook installed before the modules' hooks. Hooks installed later are called first,
// so once the reference hook has seen a key, the module's message for it (if any) is queued.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <vector>

#include "core/HookProtocol.h"
#include "core/Messages.h"
#include "hooks/HookModules.h"
#include "hooks/HookEventRing.h"
#include "hooks/HookThread.h"
#include "support/WinePaths.h"
#include "support/WindowHelpers.h"

namespace {

constexpr DWORD DeadlineMs = 20000;
// Asks the receiver thread to end, after everything posted before it.
constexpr UINT FinishMessage = WM_APP + 7;

// One event as the hook thread handed it over; a move's position was read there, through an
// address the hook thread found in the mouse module (it passes no other on).
struct Received {
    uint32_t message;
    int32_t value;
    POINT position;
};

// Written by the receiver thread while it runs; read by the test after it has ended, or
// through the events below.
std::vector<Received> gReceived;
HANDLE gKeyPosted = nullptr;      // the module's message for the key up of Q was handled
HANDLE gMovePosted = nullptr;     // the module's message for a move was handled
HANDLE gReferenceSawR = nullptr;  // the reference hook saw the key up of R
DWORD gReceiverThreadId = 0;
std::atomic<HWND> gReceiverWindow{nullptr};

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != HookEventsWaitingMessage) return DefWindowProcW(window, message, wParam, lParam);
    HookEvent event;
    while (TakeHookEvent(event)) {
        Received received{event.message, event.value, {event.x, event.y}};
        if (event.message == WM_MOUSEMOVE) SetEvent(gMovePosted);
        gReceived.push_back(received);
        if (event.message == WM_KEYUP && event.value == 'Q') SetEvent(gKeyPosted);
    }
    return 0;
}

LRESULT CALLBACK ReferenceKeyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == WM_KEYUP && reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->vkCode == 'R') {
        SetEvent(gReferenceSawR);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

DWORD WINAPI Receiver(LPVOID ready)
{
    HWND window = OpenMessageWindow(L"TandrelHookThreadTest", ReceiverProc);
    HHOOK reference = SetWindowsHookExW(WH_KEYBOARD_LL, ReferenceKeyboardHook, GetModuleHandleW(nullptr), 0);
    gReceiverWindow = reference != nullptr ? window : nullptr;
    SetEvent(static_cast<HANDLE>(ready));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0 && msg.message != FinishMessage) DispatchMessageW(&msg);
    if (reference != nullptr) UnhookWindowsHookEx(reference);
    DestroyWindow(window);
    return 0;
}

void Inject(const std::vector<INPUT>& inputs)
{
    std::vector<INPUT> copy = inputs;
    SendInput(static_cast<UINT>(copy.size()), copy.data(), sizeof(INPUT));
}

INPUT Key(WORD vk, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

INPUT MoveTo(int x, int y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 65536 / GetSystemMetrics(SM_CXSCREEN) / 2;
    input.mi.dy = MulDiv(y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 65536 / GetSystemMetrics(SM_CYSCREEN) / 2;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

// Injects from a thread of its own, so that the test's thread can block meanwhile.
DWORD WINAPI Injector(LPVOID inputs)
{
    Inject(*static_cast<const std::vector<INPUT>*>(inputs));
    return 0;
}

HANDLE InjectFromAnotherThread(const std::vector<INPUT>* inputs)
{
    return CreateThread(nullptr, 0, Injector, const_cast<std::vector<INPUT>*>(inputs), 0, nullptr);
}

class HookThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gReceived.clear();
        gKeyPosted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        gMovePosted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        gReferenceSawR = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        receiver = CreateThread(nullptr, 0, Receiver, ready, 0, &gReceiverThreadId);
        ASSERT_NE(nullptr, receiver);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, DeadlineMs));
        CloseHandle(ready);
        ASSERT_NE(nullptr, gReceiverWindow.load()) << "the receiver's window or reference hook";
        ASSERT_FALSE(DistFolder().empty()) << "TANDREL_DIST_DIR is not set";
        ASSERT_TRUE(SetDllDirectoryW(DistFolder().c_str()));
    }
    void TearDown() override
    {
        UnloadHookModules();
        SetDllDirectoryW(nullptr);
        FinishReceiver();
        for (HANDLE event : {gKeyPosted, gMovePosted, gReferenceSawR}) CloseHandle(event);
    }
    // Everything posted to the receiver so far is handled once this returns.
    void FinishReceiver()
    {
        if (receiver == nullptr) return;
        PostThreadMessageW(gReceiverThreadId, FinishMessage, 0, 0);
        WaitForSingleObject(receiver, DeadlineMs);
        CloseHandle(receiver);
        receiver = nullptr;
    }
    HANDLE receiver = nullptr;
};

}  // namespace

TEST_F(HookThreadTest, EventsArriveWhileTheStartingThreadIsBlockedAndStopAfterTheThreadEnds)
{
    LoadHookModules();
    const InstalledHooks installed = StartHookThread(gReceiverWindow.load());
    ASSERT_TRUE(installed.keyboard);
    ASSERT_TRUE(installed.mouse);

    // This thread does not pump while the keys go through: were the hooks on it, the system
    // could not call them and no message would come.
    const std::vector<INPUT> keys = {Key('Q', true), Key('Q', false)};
    HANDLE injector = InjectFromAnotherThread(&keys);
    ASSERT_NE(nullptr, injector);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(gKeyPosted, DeadlineMs)) << "the key's messages never came";
    WaitForSingleObject(injector, DeadlineMs);
    CloseHandle(injector);

    const std::vector<INPUT> move = {MoveTo(321, 234)};
    injector = InjectFromAnotherThread(&move);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(gMovePosted, DeadlineMs)) << "the move's message never came";
    WaitForSingleObject(injector, DeadlineMs);
    CloseHandle(injector);

    // Stopped: the hooks are gone, though the modules stay loaded.
    ASSERT_TRUE(StopHookThread());
    Inject({Key('R', true), Key('R', false)});
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(gReferenceSawR, DeadlineMs)) << "the reference hook saw no R";
    FinishReceiver();

    bool sawQ = false;
    bool sawMove = false;
    for (const Received& r : gReceived) {
        EXPECT_FALSE((r.message == WM_KEYDOWN || r.message == WM_KEYUP) && r.value == 'R') << "R came after the stop";
        sawQ = sawQ || (r.message == WM_KEYDOWN && r.value == 'Q');
        if (r.message == WM_MOUSEMOVE && r.position.x == 321 && r.position.y == 234) sawMove = true;
    }
    EXPECT_TRUE(sawQ);
    EXPECT_TRUE(sawMove) << "the position read through the module's address is the one injected";
}

TEST_F(HookThreadTest, OnlyAddressesInTheLoadedMouseModuleAreMovePositions)
{
    POINT local = {1, 2};
    EXPECT_FALSE(IsMovePositionAddress(reinterpret_cast<uintptr_t>(&local))) << "not loaded yet";
    LoadHookModules();
    const auto base = reinterpret_cast<uintptr_t>(GetModuleHandleW(L"MouseHook.dll"));
    ASSERT_NE(0u, base);
    EXPECT_TRUE(IsMovePositionAddress(base));
    EXPECT_FALSE(IsMovePositionAddress(base - 8));
    EXPECT_FALSE(IsMovePositionAddress(base + 2));
    EXPECT_FALSE(IsMovePositionAddress(reinterpret_cast<uintptr_t>(&local)));
    EXPECT_FALSE(IsMovePositionAddress(reinterpret_cast<uintptr_t>(GetModuleHandleW(L"KeyBoardHook.dll"))));
    UnloadHookModules();
    EXPECT_FALSE(IsMovePositionAddress(base)) << "unloaded";
}
