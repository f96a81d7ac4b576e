// A full ring of events: the real hook thread, built with a ring of 16 events, against install
// functions of the test's own. Events that find the ring full are not dropped without a word:
// the main thread takes those kept, then the word that events were lost, and nothing of the
// gap; then events flow again.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "core/HookProtocol.h"
#include "core/Messages.h"
#include "hooks/HookModules.h"
#include "hooks/HookEventRing.h"
#include "hooks/HookThread.h"
#include "support/WindowHelpers.h"

namespace {

constexpr uint32_t RingSlots = 16;  // TANDREL_HOOK_EVENT_SLOTS of this test's build
constexpr DWORD DeadlineMs = 10000;

// Set by the hook thread when it has reached the move the test posts after its keys: every key
// before it has been handled then.
HANDLE gMoveReached = nullptr;
// What the window, on the test's thread, took (a key's code, 0 for the word of a gap), and how
// many it may take; read and written there.
std::vector<uint32_t> gTaken;
size_t gTakeAtMost = 0;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != HookEventsWaitingMessage) return DefWindowProcW(window, message, wParam, lParam);
    HookEvent event;
    if (gTaken.size() < gTakeAtMost && TakeHookEvent(event))
        gTaken.push_back(event.message == LostHookEventsMessage ? 0 : event.value);
    return 0;
}

// Lets the window take up to `count` in all, and waits until it has.
bool Take(HWND window, size_t count)
{
    gTakeAtMost = count;
    PostMessageW(window, HookEventsWaitingMessage, 0, 0);  // the announcement it let pass
    return PumpUntil([count] { return gTaken.size() >= count; }, DeadlineMs);
}

void PostKeys(HWND hookWindow, int first, int count)
{
    for (int key = first; key < first + count; ++key) PostMessageW(hookWindow, HookEventMessage, WM_KEYDOWN, key);
}

// Posts a move and waits until the hook thread has reached it.
bool HookThreadCaughtUp(HWND hookWindow)
{
    ResetEvent(gMoveReached);
    PostMessageW(hookWindow, HookEventMessage, WM_MOUSEMOVE, 0);
    return WaitForSingleObject(gMoveReached, DeadlineMs) == WAIT_OBJECT_0;
}

}  // namespace

bool InstallKeyboardHook(HWND)
{
    return true;
}
bool InstallMouseHook(HWND)
{
    return true;
}
void RemoveHooks()
{}

bool IsMovePositionAddress(uintptr_t)
{
    SetEvent(gMoveReached);
    return false;
}

TEST(HookEventsLost, AFullRingHandsOverWhatItKeptThenTheGapThenNothingOfIt)
{
    gMoveReached = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HWND window = OpenMessageWindow(L"TandrelHookEventsLostTest", ReceiverProc);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(StartHookThread(window).mouse);
    const HWND hookWindow = HookThreadWindow();
    ASSERT_NE(nullptr, hookWindow);

    // This thread, the main thread's stand-in, takes nothing while 40 keys come; then one,
    // which makes room; then a key comes, which lies in the gap all the same.
    PostKeys(hookWindow, 1, 40);
    ASSERT_TRUE(HookThreadCaughtUp(hookWindow));
    ASSERT_TRUE(Take(window, 1));
    PostKeys(hookWindow, 50, 1);
    ASSERT_TRUE(HookThreadCaughtUp(hookWindow));
    ASSERT_TRUE(Take(window, RingSlots + 1)) << gTaken.size();
    // Once the gap is told, two more come as ever.
    PostKeys(hookWindow, 101, 2);
    ASSERT_TRUE(HookThreadCaughtUp(hookWindow));
    Take(window, RingSlots + 3);
    gTakeAtMost = 100;  // and nothing else comes
    PostMessageW(window, HookEventsWaitingMessage, 0, 0);
    PumpUntil([] { return false; }, 200);

    std::vector<uint32_t> expected;
    for (uint32_t key = 1; key <= RingSlots; ++key) expected.push_back(key);
    expected.push_back(0);  // the gap: keys 17 to 40, and 50
    expected.push_back(101);
    expected.push_back(102);
    EXPECT_EQ(gTaken, expected);

    EXPECT_TRUE(StopHookThread());
    DestroyWindow(window);
    CloseHandle(gMoveReached);
}
