// What the hook modules deliver: input injected by the test goes through the real low-level
// hooks of KeyBoardHook.dll and MouseHook.dll, installed through src/hooks, and the test's own
// window records every HookEventMessage it receives.
//
// A second pair of low-level hooks of the test's own is installed before the modules' hooks.
// Hooks installed later are called first, so these reference hooks see an event only if the
// module passed it on, and they see it only after the module has posted its message: once a
// reference hook has seen an event, the module's message for it is in the queue.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <utility>
#include <vector>

#include "core/HookProtocol.h"
#include "hooks/HookModules.h"
#include "support/SentInput.h"
#include "support/WinePaths.h"
#include "support/WindowHelpers.h"

namespace {

// Generous: Wine on a busy machine can be slow to deliver hook calls.
constexpr DWORD DeadlineMs = 10000;

// One HookEventMessage as the window handled it; for a move, the position read through lParam
// at that moment.
struct ReceivedEvent {
    WPARAM message;
    LPARAM value;
    POINT position;
};

// One event as the reference hooks saw it.
struct SeenEvent {
    WPARAM message;
    DWORD code;  // virtual-key code, or the mouse data (wheel delta, X button)
    POINT position;
};

// All written and read on the test's thread: the window procedure and the hook procedures run
// inside its message pumping.
std::vector<ReceivedEvent> gReceived;
std::vector<SeenEvent> gSeenKeys;
std::vector<SeenEvent> gSeenMouse;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == HookEventMessage) {
        ReceivedEvent event{wParam, lParam, {}};
        if (wParam == WM_MOUSEMOVE) event.position = *reinterpret_cast<const POINT*>(lParam);
        gReceived.push_back(event);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ReferenceKeyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        gSeenKeys.push_back({wParam, key->vkCode, {}});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ReferenceMouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const MSLLHOOKSTRUCT* mouse = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        gSeenMouse.push_back({wParam, mouse->mouseData, mouse->pt});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DispatchPending()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Pumps messages (which runs the hook procedures) until `seen` holds `count` events or the
// deadline passes. With `dispatchHookEvents` false the modules' messages stay in the queue.
bool PumpUntilSeen(const std::vector<SeenEvent>& seen, size_t count, bool dispatchHookEvents = true)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        if (dispatchHookEvents) {
            DispatchPending();
        } else {
            while (PeekMessageW(&msg, nullptr, 0, HookEventMessage - 1, PM_REMOVE) ||
                   PeekMessageW(&msg, nullptr, HookEventMessage + 1, 0xFFFFFFFF, PM_REMOVE)) {
                DispatchMessageW(&msg);
            }
        }
        if (seen.size() >= count) break;
        if (GetTickCount() - start > DeadlineMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    if (dispatchHookEvents) DispatchPending();
    return true;
}

// An absolute move to a screen pixel, in the 0..65535 coordinates that SendInput takes.
void InjectMoveTo(int x, int y)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0, MulDiv(x, 65536, width) + 65536 / width / 2,
              MulDiv(y, 65536, height) + 65536 / height / 2);
}

void InjectWheel(int delta)
{
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta));
}

class HookEventsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gReceived.clear();
        gSeenKeys.clear();
        gSeenMouse.clear();
        window = OpenMessageWindow(L"TandrelHookEventsTest", ReceiverProc);
        ASSERT_NE(window, nullptr);
        referenceKeyboard = SetWindowsHookExW(WH_KEYBOARD_LL, ReferenceKeyboardHook, GetModuleHandleW(nullptr), 0);
        referenceMouse = SetWindowsHookExW(WH_MOUSE_LL, ReferenceMouseHook, GetModuleHandleW(nullptr), 0);
        ASSERT_NE(referenceKeyboard, nullptr);
        ASSERT_NE(referenceMouse, nullptr);
        ASSERT_FALSE(DistFolder().empty()) << "TANDREL_DIST_DIR is not set";
        ASSERT_TRUE(SetDllDirectoryW(DistFolder().c_str()));
        // Each test gets freshly loaded modules, so no wheel remainder is left from another test.
        LoadHookModules();
        ASSERT_TRUE(InstallKeyboardHook(window));
        ASSERT_TRUE(InstallMouseHook(window));
    }

    void TearDown() override
    {
        RemoveHooks();
        UnloadHookModules();
        SetDllDirectoryW(nullptr);
        if (referenceKeyboard != nullptr) UnhookWindowsHookEx(referenceKeyboard);
        if (referenceMouse != nullptr) UnhookWindowsHookEx(referenceMouse);
        if (window != nullptr) DestroyWindow(window);
    }

    // Injects one wheel turn and collects what the window received for it; false when the
    // turn never came through.
    bool TurnWheel(int delta, std::vector<ReceivedEvent>* received)
    {
        const size_t receivedBefore = gReceived.size();
        const size_t seenBefore = gSeenMouse.size();  // counted first: the hooks may run inside SendInput
        InjectWheel(delta);
        if (!PumpUntilSeen(gSeenMouse, seenBefore + 1)) return false;
        received->assign(gReceived.begin() + receivedBefore, gReceived.end());
        return true;
    }

    HWND window = nullptr;
    HHOOK referenceKeyboard = nullptr;
    HHOOK referenceMouse = nullptr;
};

TEST_F(HookEventsTest, KeyPressesAndReleasesArriveWithTheirVirtualKey)
{
    const WORD keys[] = {'A', VK_F9, VK_SPACE};
    for (WORD vk : keys) {
        SendKey(vk, true);
        SendKey(vk, false);
    }
    ASSERT_TRUE(PumpUntilSeen(gSeenKeys, 6)) << "the reference hook saw " << gSeenKeys.size() << " of 6 keys";
    ASSERT_EQ(gReceived.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(gReceived[i].message, i % 2 == 0 ? WPARAM(WM_KEYDOWN) : WPARAM(WM_KEYUP)) << i;
        EXPECT_EQ(gReceived[i].value, LPARAM(keys[i / 2])) << i;
    }
}

TEST_F(HookEventsTest, KeysWithAltHeldArriveAsSystemKeys)
{
    SendKey(VK_MENU, true);
    SendKey('B', true);
    SendKey('B', false);
    SendKey(VK_MENU, false);
    ASSERT_TRUE(PumpUntilSeen(gSeenKeys, 4));
    ASSERT_EQ(gReceived.size(), 4u);
    // Exactly what the hook was given, whichever message and Alt code the system chose.
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(gReceived[i].message, gSeenKeys[i].message) << i;
        EXPECT_EQ(gReceived[i].value, LPARAM(gSeenKeys[i].code)) << i;
    }
    EXPECT_EQ(gReceived[1].message, WPARAM(WM_SYSKEYDOWN));
    EXPECT_EQ(gReceived[1].value, LPARAM('B'));
    EXPECT_EQ(gReceived[2].message, WPARAM(WM_SYSKEYUP));
}

TEST_F(HookEventsTest, TheSixButtonMessagesArriveWithoutAValue)
{
    const DWORD flags[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP,     MOUSEEVENTF_RIGHTDOWN,
                           MOUSEEVENTF_RIGHTUP,  MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP};
    const WPARAM expected[] = {WM_LBUTTONDOWN, WM_LBUTTONUP,   WM_RBUTTONDOWN,
                               WM_RBUTTONUP,   WM_MBUTTONDOWN, WM_MBUTTONUP};
    for (DWORD flag : flags) SendMouse(flag);
    ASSERT_TRUE(PumpUntilSeen(gSeenMouse, 6));
    ASSERT_EQ(gReceived.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(gReceived[i].message, expected[i]) << i;
        EXPECT_EQ(gReceived[i].value, 0) << i;
    }
}

TEST_F(HookEventsTest, XButtonsArriveWithTheirButtonAndTheHorizontalWheelInWholeNotches)
{
    SendMouse(MOUSEEVENTF_XDOWN, XBUTTON1);
    SendMouse(MOUSEEVENTF_XUP, XBUTTON1);
    SendMouse(MOUSEEVENTF_XDOWN, XBUTTON2);
    SendMouse(MOUSEEVENTF_XUP, XBUTTON2);
    SendMouse(MOUSEEVENTF_HWHEEL, WHEEL_DELTA);
    SendMouse(MOUSEEVENTF_HWHEEL, static_cast<DWORD>(-2 * WHEEL_DELTA));
    SendMouse(MOUSEEVENTF_HWHEEL, 40);  // less than a notch: not reported
    SendMouse(MOUSEEVENTF_HWHEEL, 90);  // with the 40 before, a notch to the right
    // The vertical wheel keeps its own remainder.
    SendMouse(MOUSEEVENTF_WHEEL, 60);
    SendMouse(MOUSEEVENTF_HWHEEL, 110);
    SendMouse(MOUSEEVENTF_WHEEL, 60);
    ASSERT_TRUE(PumpUntilSeen(gSeenMouse, 11));
    EXPECT_EQ(gSeenMouse[0].message, WPARAM(WM_XBUTTONDOWN));
    EXPECT_EQ(gSeenMouse[4].message, WPARAM(WM_MOUSEHWHEEL));
    const std::pair<WPARAM, LPARAM> expected[] = {
        {WM_XBUTTONDOWN, 1},  {WM_XBUTTONUP, 1},   {WM_XBUTTONDOWN, 2}, {WM_XBUTTONUP, 2},  {WM_MOUSEHWHEEL, 1},
        {WM_MOUSEHWHEEL, -2}, {WM_MOUSEHWHEEL, 1}, {WM_MOUSEHWHEEL, 1}, {WM_MOUSEWHEEL, 1},
    };
    ASSERT_EQ(gReceived.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(gReceived[i].message, expected[i].first) << i;
        EXPECT_EQ(gReceived[i].value, expected[i].second) << i;
    }
}

TEST_F(HookEventsTest, MovePositionsStayReadableLongAfterTheMove)
{
    // Many moves pile up in the queue before the window handles any of them, as they do while
    // the program's main thread is busy; each message must still point at its own position.
    constexpr int moves = 400;
    for (int i = 0; i < moves; ++i) {
        InjectMoveTo(100 + (i * 37) % 900, 100 + (i * 53) % 700);
        ASSERT_TRUE(PumpUntilSeen(gSeenMouse, static_cast<size_t>(i) + 1, false)) << "move " << i;
    }
    EXPECT_TRUE(gReceived.empty()) << "the hook events were meant to wait in the queue";
    DispatchPending();
    ASSERT_EQ(gReceived.size(), static_cast<size_t>(moves));
    for (int i = 0; i < moves; ++i) {
        const ReceivedEvent& event = gReceived[i];
        ASSERT_EQ(event.message, WPARAM(WM_MOUSEMOVE)) << i;
        EXPECT_EQ(event.position.x, gSeenMouse[i].position.x) << i;
        EXPECT_EQ(event.position.y, gSeenMouse[i].position.y) << i;
        EXPECT_NEAR(event.position.x, 100 + (i * 37) % 900, 1) << i;
        EXPECT_NEAR(event.position.y, 100 + (i * 53) % 700, 1) << i;
    }
    // The first position is still there after all the later moves.
    const POINT* first = reinterpret_cast<const POINT*>(gReceived[0].value);
    EXPECT_EQ(first->x, gSeenMouse[0].position.x);
    EXPECT_EQ(first->y, gSeenMouse[0].position.y);
}

TEST_F(HookEventsTest, WheelTurnsArriveAsWholeNotches)
{
    struct Turn {
        int delta;
        int notches;  // 0: nothing reported for this turn
    };
    const Turn turns[] = {
        {WHEEL_DELTA, 1},
        {-WHEEL_DELTA, -1},
        {2 * WHEEL_DELTA, 2},
        {-3 * WHEEL_DELTA, -3},
        {40, 0},
        {40, 0},
        {40, 1},  // small steps add up
        {-60, 0},
        {-60, -1},  // the same backward
        {180, 1},
        {60, 1},  // a remainder is kept
        {100, 0},
        {-WHEEL_DELTA, -1},  // a full notch back at once
        {20, 0},
        {100, 1},  // the old 100 was dropped
        {-100, 0},
        {WHEEL_DELTA, 1},
        {-20, 0},  // the same the other way
        {-100, -1},
    };
    for (const Turn& turn : turns) {
        std::vector<ReceivedEvent> received;
        ASSERT_TRUE(TurnWheel(turn.delta, &received)) << "wheel " << turn.delta << " not seen";
        if (turn.notches == 0) {
            EXPECT_TRUE(received.empty()) << "delta " << turn.delta;
            continue;
        }
        ASSERT_EQ(received.size(), 1u) << "delta " << turn.delta;
        EXPECT_EQ(received[0].message, WPARAM(WM_MOUSEWHEEL));
        EXPECT_EQ(received[0].value, LPARAM(turn.notches)) << "delta " << turn.delta;
    }
}

TEST_F(HookEventsTest, EventsArePassedOnToTheNextHook)
{
    // The reference hooks were installed first, so they only see what the modules pass on.
    SendKey('C', true);
    SendKey('C', false);
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    InjectWheel(WHEEL_DELTA);
    ASSERT_TRUE(PumpUntilSeen(gSeenKeys, 2));
    ASSERT_TRUE(PumpUntilSeen(gSeenMouse, 3));
    EXPECT_EQ(gSeenKeys[0].message, WPARAM(WM_KEYDOWN));
    EXPECT_EQ(gSeenKeys[0].code, DWORD('C'));
    EXPECT_EQ(gSeenMouse[0].message, WPARAM(WM_RBUTTONDOWN));
    EXPECT_EQ(gSeenMouse[2].message, WPARAM(WM_MOUSEWHEEL));
    EXPECT_EQ(static_cast<short>(HIWORD(gSeenMouse[2].code)), WHEEL_DELTA);
    EXPECT_EQ(gReceived.size(), 5u);
}

TEST_F(HookEventsTest, RemovedHooksReportNothingMore)
{
    RemoveHooks();
    SendKey('D', true);
    SendKey('D', false);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntilSeen(gSeenKeys, 2));
    ASSERT_TRUE(PumpUntilSeen(gSeenMouse, 2));
    EXPECT_TRUE(gReceived.empty());
}

}  // namespace
