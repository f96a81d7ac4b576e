// The hook thread's watchdog with the built modules: a hook removed behind the thread's back
// is installed again once input goes unreported, and reports the next event; input the hooks
// report never brings them back, not even while the main window leaves its queue unread for
// seconds, and neither do a playback's own cursor placements; resume and unlock do. While
// the state is Playing the hooks are out of the way and a hot key hears F9 (or, for a
// recording that presses F9 itself, raw input hears the keys): another program's F9 still
// comes, the playback's own does not, nothing re-installs a hook before the playback ends, and
// both are back after it; a nudge from outside changes nothing.
//
// The main window's stand-in belongs to a receiver thread of the test's own, which counts
// what reaches it and can be told to stop pumping for a while, as the main thread does in a
// dialog's start or a slow write.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>

#include "core/ActivityState.h"
#include "core/HookProtocol.h"
#include "core/HookThreadNudge.h"
#include "core/Messages.h"
#include "core/PlaybackMark.h"
#include "hooks/HookModules.h"
#include "hooks/HookEventRing.h"
#include "hooks/HookThread.h"
#include "hooks/HookWatchdog.h"
#include "support/ReceiverThread.h"
#include "support/SentInput.h"
#include "support/WinePaths.h"

namespace {

constexpr DWORD DeadlineMs = 10000;
// Input that goes unreported is judged a second after it, at the latest a little later.
constexpr DWORD ReinstallWithinMs = 2000;
// Long enough for every check that could still judge the input so far: the grace and a period.
constexpr DWORD QuietForMs = 2200;
// How long a notification that must not re-install is given to do so all the same.
constexpr DWORD NothingMoreWithinMs = 1000;
constexpr UINT BlockMessage = WM_APP + 8;  // the receiver stops pumping until gUnblock is set

// Counted by the receiver thread, read by the test.
std::atomic<unsigned> gKeyDowns[256];
std::atomic<unsigned> gMoves{0};
std::atomic<uint32_t> gLastButtonWindow{0};  // the window of the last left button press
std::atomic<unsigned> gStopsByF9{0};         // PlaybackStoppedByF9Message events taken
HANDLE gUnblock = nullptr;
// The playback stop that the hook thread calls (SetPlaybackStop): how often, and the state then.
std::atomic<unsigned> gStopCalls{0};
std::atomic<int32_t> gStateAtStop{-1};
void CountStop()
{
    gStateAtStop = gActivityState.load();
    ++gStopCalls;
}

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BlockMessage) WaitForSingleObject(gUnblock, DeadlineMs);
    if (message != HookEventsWaitingMessage) return DefWindowProcW(window, message, wParam, lParam);
    HookEvent event;
    while (TakeHookEvent(event)) {
        if (event.message == WM_KEYDOWN && event.value >= 0 && event.value < 256) ++gKeyDowns[event.value];
        if (event.message == WM_MOUSEMOVE) ++gMoves;
        if (event.message == WM_LBUTTONDOWN) gLastButtonWindow = event.window;
        if (event.message == PlaybackStoppedByF9Message) ++gStopsByF9;
    }
    return 0;
}

void TapKey(WORD vk, ULONG_PTR extraInfo = 0)
{
    SendKey(vk, true, extraInfo);
    SendKey(vk, false, extraInfo);
}

void SendF9(ULONG_PTR extraInfo)
{
    TapKey(VK_F9, extraInfo);
}

bool KeyboardHookInstalled()
{
    return InstalledHookHandlesForTest().keyboard != nullptr;
}

void Nudge(int dx)
{
    SendMouse(MOUSEEVENTF_MOVE, 0, 0, dx);
}

class HookWatchdogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto& count : gKeyDowns) count = 0;
        gMoves = 0;
        gLastButtonWindow = 0;
        gStopsByF9 = 0;
        gStopCalls = 0;
        gStateAtStop = -1;
        gUnblock = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        ASSERT_TRUE(StartReceiverThread(L"TandrelHookWatchdogTest", ReceiverProc, receiver));
        ASSERT_FALSE(DistFolder().empty()) << "TANDREL_DIST_DIR is not set";
        ASSERT_TRUE(SetDllDirectoryW(DistFolder().c_str()));
        LoadHookModules();
        const InstalledHooks installed = StartHookThread(receiver.window);
        ASSERT_TRUE(installed.keyboard && installed.mouse);
        ASSERT_NE(nullptr, HookThreadWindow());
    }
    void TearDown() override
    {
        gActivityState = Idle;
        gPlaybackMark.mark = 0;
        gPlaybackPressesStopKey = false;
        SetPlaybackStop(nullptr);
        UnloadHookModules();
        SetDllDirectoryW(nullptr);
        SetEvent(gUnblock);
        FinishReceiverThread(receiver);
        CloseHandle(gUnblock);
    }
    ReceiverThread receiver = {};
};

// Input within the slack of an install counts as before it: a hook is removed only after that.
void LetTheInstallSettle()
{
    Sleep(HookReportSlackMilliseconds + 50);
}

TEST_F(HookWatchdogTest, AHookRemovedBehindItsBackComesBackAndReportsTheNextEvent)
{
    LetTheInstallSettle();
    ASSERT_TRUE(UnhookWindowsHookEx(InstalledHookHandlesForTest().keyboard));
    TapKey('K');
    EXPECT_TRUE(WaitUntil([] { return HookReinstallCount() == 1; }, ReinstallWithinMs)) << "the keyboard hook";
    EXPECT_EQ(0u, gKeyDowns['K'].load()) << "the key came while the hook was gone";
    TapKey('L');
    EXPECT_TRUE(WaitUntil([] { return gKeyDowns['L'] == 1; }, DeadlineMs)) << "the next key was not reported";

    LetTheInstallSettle();
    ASSERT_TRUE(UnhookWindowsHookEx(InstalledHookHandlesForTest().mouse));
    Nudge(2);
    EXPECT_TRUE(WaitUntil([] { return HookReinstallCount() == 2; }, ReinstallWithinMs)) << "the mouse hook";
    EXPECT_EQ(0u, gMoves.load()) << "the move came while the hook was gone";
    Nudge(-2);
    EXPECT_TRUE(WaitUntil([] { return gMoves == 1; }, DeadlineMs)) << "the next move was not reported";
}

TEST_F(HookWatchdogTest, ReportedInputBringsNothingBackEvenWhileTheMainWindowIsBusy)
{
    // Keys and moves every 50 ms for four seconds; from the first to the fourth second the
    // main window's stand-in reads none of them.
    unsigned taps = 0;
    bool blocked = false;
    const DWORD start = GetTickCount();
    for (DWORD elapsed = 0; elapsed < 4000; elapsed = GetTickCount() - start) {
        if (!blocked && elapsed >= 1000) blocked = PostMessageW(receiver.window, BlockMessage, 0, 0) != FALSE;
        if (elapsed >= 3500) SetEvent(gUnblock);
        TapKey('S');
        Nudge(taps % 2 == 0 ? 2 : -2);
        ++taps;
        Sleep(50);
    }
    EXPECT_TRUE(blocked);
    EXPECT_FALSE(WaitUntil([] { return HookReinstallCount() > 0; }, QuietForMs)) << "the hooks were working";
    EXPECT_TRUE(WaitUntil([&] { return gKeyDowns['S'] == taps; }, DeadlineMs))
        << gKeyDowns['S'] << " of " << taps << " keys reached the window";
    EXPECT_GE(gMoves.load(), taps);  // the system may add a move of its own
}

TEST_F(HookWatchdogTest, ResumeAndUnlockBringTheHooksBackSuspendAndLockDoNot)
{
    // One notification at a time, each judged before the next: suspend and lock must leave the
    // count where it was, resume and unlock must raise it by one (a total alone would not tell
    // a re-install at the lock from one at the unlock). Sent, as the system sends the power
    // broadcast, so each has been handled when the call returns.
    const HWND window = HookThreadWindow();
    const struct {
        UINT message;
        WPARAM event;
        unsigned reinstallsAfter;
        const char* name;
    } notifications[] = {
        {WM_POWERBROADCAST, PBT_APMSUSPEND, 0, "suspend"},
        {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 1, "resume"},
        {WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1, "lock"},
        {WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 2, "unlock"},
    };
    for (const auto& n : notifications) {
        DWORD_PTR answer = 0;
        ASSERT_NE(0, SendMessageTimeoutW(window, n.message, n.event, 0, SMTO_NORMAL, DeadlineMs, &answer)) << n.name;
        const unsigned wanted = n.reinstallsAfter;
        // A re-install may also come a little after the notification: wait for one that is
        // due, then give one that is not the time to show itself.
        WaitUntil([&] { return HookReinstallCount() >= wanted; }, DeadlineMs);
        WaitUntil([&] { return HookReinstallCount() > wanted; }, NothingMoreWithinMs);
        EXPECT_EQ(wanted, HookReinstallCount()) << "after the " << n.name;
    }
    TapKey('U');
    EXPECT_TRUE(WaitUntil([] { return gKeyDowns['U'] == 1; }, DeadlineMs)) << "the hooks after the unlock";
}

TEST_F(HookWatchdogTest, APlaybacksOwnCursorPlacementsBringNothingBack)
{
    const auto placeCursorFor = [](DWORD milliseconds) {
        const DWORD start = GetTickCount();
        for (int i = 0; GetTickCount() - start < milliseconds; ++i) {
            SetCursorPos(200 + i % 2 * 10, 200);
            Sleep(50);
        }
    };
    LASTINPUTINFO before = {sizeof before, 0};
    LASTINPUTINFO after = {sizeof after, 0};
    GetLastInputInfo(&before);
    gActivityState = Playing;
    placeCursorFor(2500);
    GetLastInputInfo(&after);
    gActivityState = Idle;
    if (after.dwTime == before.dwTime) GTEST_SKIP() << "cursor placements are no input on this system";
    EXPECT_FALSE(WaitUntil([] { return HookReinstallCount() > 0; }, QuietForMs)) << "during or after the playback";
    EXPECT_EQ(0u, gMoves.load()) << "the hooks were given the placements after all";

    // Without a playback the same placements are input that no hook reported.
    placeCursorFor(300);
    EXPECT_TRUE(WaitUntil([] { return HookReinstallCount() == 1; }, ReinstallWithinMs));
}

bool HooksInstalled()
{
    const InstalledHookHandles hooks = InstalledHookHandlesForTest();
    return hooks.keyboard != nullptr && hooks.mouse != nullptr;
}

bool NoHookInstalled()
{
    const InstalledHookHandles hooks = InstalledHookHandlesForTest();
    return hooks.keyboard == nullptr && hooks.mouse == nullptr;
}

constexpr int FreeCheckId = 7;

// Everything the hook thread was given before this call has been handled when it returns.
void WaitUntilHandled()
{
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HookThreadWindow(), WM_NULL, 0, 0, SMTO_NORMAL, DeadlineMs, &answer);
}

// Holds the hook thread still, as a busy machine may, while the playback's last input and its
// end happen; the nudge of the end is then handled before that input, since the thread takes
// posted messages before input.
struct StalledHookThread {
    HANDLE thread;
};
StalledHookThread StallHookThread()
{
    const DWORD id = GetWindowThreadProcessId(HookThreadWindow(), nullptr);
    const HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, id);
    if (thread != nullptr) SuspendThread(thread);
    return {thread};
}
void GoOn(StalledHookThread stalled)
{
    ResumeThread(stalled.thread);
    CloseHandle(stalled.thread);
}

void StartPlayingWithTheHooksAside(bool pressesF9)
{
    gPlaybackPressesStopKey = pressesF9;
    gPlaybackMark.mark = 0x5EED1234;
    gActivityState = Playing;
    NudgeHookThread();
    ASSERT_TRUE(WaitUntil(NoHookInstalled, DeadlineMs)) << "a hook stayed in the way";
    WaitUntilHandled();
}

// The playback ends while the hook thread stalls: the mark cleared, Idle, the nudge.
void EndPlaying()
{
    EndPlaybackMark(GetTickCount());
    gActivityState = Idle;
    NudgeHookThread();
}

// A playback with the hooks out of the way: F9 from `others` (marks that are not the
// playback's, or no mark) counts once each, the playback's own marked F9 as `ownCounts`, and
// four other keys as `otherKeysCount` each. The watchdog brings no hook back meanwhile, resume
// included; after the playback both hooks are back and report a key once.
void PlayWithTheHooksAside(ULONG_PTR mark, unsigned ownCounts, unsigned otherKeysCount)
{
    gPlaybackMark.mark = mark;
    gActivityState = Playing;
    NudgeHookThread();  // as the worker does
    ASSERT_TRUE(WaitUntil(NoHookInstalled, DeadlineMs)) << "a hook stayed in the way";

    // The own F9 first: were it counted wrongly, the count would pass the others'.
    SendF9(mark);
    SendF9(0);
    SendF9(mark + 1);
    const unsigned f9s = 2 + ownCounts;
    EXPECT_TRUE(WaitUntil([f9s] { return gKeyDowns[VK_F9] >= f9s; }, DeadlineMs)) << "another program's F9 was lost";
    // Resume re-installs what the system may have dropped, but not the hooks that are off on purpose.
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HookThreadWindow(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, SMTO_NORMAL, DeadlineMs,
                        &answer);
    EXPECT_EQ(1u, HookReinstallCount());
    // Keys during the playback are no sign of a dropped hook, for as long as the watchdog looks.
    for (int i = 0; i < 4; ++i) {
        TapKey('P');
        Sleep(HookCheckPeriodMilliseconds / 2);
    }
    EXPECT_FALSE(WaitUntil([] { return HookReinstallCount() > 1 || !NoHookInstalled(); }, QuietForMs));
    EXPECT_EQ(f9s, gKeyDowns[VK_F9].load());
    EXPECT_EQ(otherKeysCount, gKeyDowns['P'].load());

    gActivityState = Idle;
    EndPlaybackMark(GetTickCount());
    NudgeHookThread();
    ASSERT_TRUE(WaitUntil(HooksInstalled, DeadlineMs)) << "the hooks did not come back";
    WaitUntilHandled();
    // The playback's way is taken back: F9 is free for other programs again.
    EXPECT_TRUE(RegisterHotKey(nullptr, FreeCheckId, 0, VK_F9)) << "F9 stayed a hot key of ours";
    UnregisterHotKey(nullptr, FreeCheckId);
    UINT rawDevices = 0;
    GetRegisteredRawInputDevices(nullptr, &rawDevices, sizeof(RAWINPUTDEVICE));
    EXPECT_EQ(0u, rawDevices) << "raw input stayed registered";
    TapKey('R');
    EXPECT_TRUE(WaitUntil([] { return gKeyDowns['R'] > 0; }, DeadlineMs));
    EXPECT_FALSE(WaitUntil([] { return gKeyDowns['R'] > 1; }, NothingMoreWithinMs)) << "reported twice";
    EXPECT_EQ(f9s, gKeyDowns[VK_F9].load()) << "an F9 of the playback counted after it";
    EXPECT_EQ(1u, HookReinstallCount());
}

constexpr ULONG_PTR Mark = 0x5EED1234;  // stands for the playback's drawn mark

TEST_F(HookWatchdogTest, DuringAPlaybackTheHotKeyHearsF9AloneAndTheHooksAreBackAfter)
{
    gPlaybackPressesStopKey = false;
    // The recording presses no F9, so every F9 is another's, whatever it carries.
    PlayWithTheHooksAside(Mark, 1, 0);
}

TEST_F(HookWatchdogTest, ARecordingThatPressesF9IsPlayedWithRawInputThatTellsItsOwnF9)
{
    gPlaybackPressesStopKey = true;
    PlayWithTheHooksAside(Mark, 0, 4);
}

TEST_F(HookWatchdogTest, WhereAnotherProgramHoldsOneOfTheHotKeysRawInputHearsF9)
{
    // Ctrl+F9 taken, as by another program: plain F9, which the test presses, stays free.
    constexpr int TakenId = 1;
    ASSERT_TRUE(RegisterHotKey(nullptr, TakenId, MOD_CONTROL, VK_F9));
    PlayWithTheHooksAside(Mark, 0, 4);
    UnregisterHotKey(nullptr, TakenId);
}

TEST_F(HookWatchdogTest, APlaybacksOwnF9IsItsOwnHoweverLateItsRawInputIsHandled)
{
    StartPlayingWithTheHooksAside(true);
    const StalledHookThread stalled = StallHookThread();
    ASSERT_NE(nullptr, stalled.thread);
    SendF9(gPlaybackMark.mark.load());  // the recording's last key
    EndPlaying();
    // A key of the user's, after the end but before the hooks are back: raw input's to report.
    Sleep(20);
    TapKey('Q');
    Sleep(20);
    GoOn(stalled);
    // Raw input comes in order: once Q is there, the F9 before it has been judged.
    ASSERT_TRUE(WaitUntil([] { return gKeyDowns['Q'] == 1; }, DeadlineMs)) << "the user's key was lost";
    WaitUntilHandled();
    EXPECT_EQ(0u, gKeyDowns[VK_F9].load()) << "the playback's own F9 was taken for the user's";
    EXPECT_TRUE(HooksInstalled());
}

TEST_F(HookWatchdogTest, AHotKeyHandledAfterTheHooksCameBackIsNotCounted)
{
    StartPlayingWithTheHooksAside(false);
    const StalledHookThread stalled = StallHookThread();
    ASSERT_NE(nullptr, stalled.thread);
    EndPlaying();
    // Its WM_HOTKEY waits behind the nudge, and is handled once the hooks are back.
    SendF9(0);
    GoOn(stalled);
    ASSERT_TRUE(WaitUntil(HooksInstalled, DeadlineMs)) << "the hooks did not come back";
    TapKey('R');
    ASSERT_TRUE(WaitUntil([] { return gKeyDowns['R'] == 1; }, DeadlineMs));
    WaitUntilHandled();
    EXPECT_EQ(0u, gKeyDowns[VK_F9].load()) << "a hot key counted after the hooks came back";
}

// The user's F9 stops the playback on the hook thread while the main thread does not answer:
// Busy first, then the stop; the main thread gets the stop in the F9's place once it goes on.
// A second F9 meanwhile stops nothing more.
TEST_F(HookWatchdogTest, AUsersF9StopsThePlaybackWithoutTheMainThread)
{
    SetPlaybackStop(CountStop);
    StartPlayingWithTheHooksAside(false);
    PostMessageW(receiver.window, BlockMessage, 0, 0);
    SendF9(0);
    EXPECT_TRUE(WaitUntil([] { return gStopCalls > 0; }, DeadlineMs)) << "the stop waited for the main thread";
    EXPECT_EQ(Busy, gStateAtStop.load());
    SendF9(0);
    SetEvent(gUnblock);
    // The second F9 comes as an F9, which the main thread ignores while Busy.
    EXPECT_TRUE(WaitUntil([] { return gStopsByF9 > 0 && gKeyDowns[VK_F9] > 0; }, DeadlineMs));
    WaitUntilHandled();
    EXPECT_EQ(1u, gStopCalls.load());
    EXPECT_EQ(1u, gStopsByF9.load());
    EXPECT_EQ(1u, gKeyDowns[VK_F9].load()) << "the F9 that stopped the playback came as an F9 too";
}

TEST_F(HookWatchdogTest, ANudgeFromOutsideChangesNothingAndTheTimerFollowsThePlaybackWithoutOne)
{
    // Sent, so each has been handled when the call returns, long before the timer could undo it.
    const auto forgeNudges = [] {
        for (WPARAM w = 0; w < 3; ++w) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(HookThreadWindow(), HookThreadNudgeMessage, w, 1, SMTO_NORMAL, DeadlineMs, &answer);
        }
    };
    const HHOOK before = InstalledHookHandlesForTest().keyboard;
    forgeNudges();
    EXPECT_EQ(before, InstalledHookHandlesForTest().keyboard) << "no playback runs";
    gActivityState = Playing;  // no nudge: lost, or never sent
    EXPECT_TRUE(WaitUntil([] { return !KeyboardHookInstalled(); }, DeadlineMs)) << "the timer left the hook";
    forgeNudges();
    EXPECT_FALSE(KeyboardHookInstalled()) << "the playback runs";
    gActivityState = Idle;
    EXPECT_TRUE(WaitUntil(KeyboardHookInstalled, DeadlineMs)) << "the timer did not bring the hook back";
    TapKey('N');
    EXPECT_TRUE(WaitUntil([] { return gKeyDowns['N'] == 1; }, DeadlineMs));
    EXPECT_EQ(0u, HookReinstallCount());
}

HWND OpenPopup(int x)
{
    return CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, x, 100, 200, 200, nullptr, nullptr,
                           nullptr, nullptr);
}

void MoveTo(int x, int y)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0, x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1),
              y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
}

void ClickWhereTheCursorIs()
{
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

// The hooks did not see where a playback left the cursor: a click right after it goes to the
// window under the cursor, not to the one at the last move they reported.
TEST_F(HookWatchdogTest, AfterAPlaybackAClickGoesToTheWindowUnderTheCursor)
{
    const HWND before = OpenPopup(100);
    const HWND after = OpenPopup(400);
    ASSERT_TRUE(before != nullptr && after != nullptr);
    MoveTo(200, 200);
    ASSERT_TRUE(WaitUntil([] { return gMoves > 0; }, DeadlineMs)) << "the move over the first window";

    gActivityState = Playing;
    NudgeHookThread();
    ASSERT_TRUE(WaitUntil(NoHookInstalled, DeadlineMs));
    SetCursorPos(500, 200);  // the playback's placement, which no hook reports
    gActivityState = Idle;
    NudgeHookThread();
    ASSERT_TRUE(WaitUntil(HooksInstalled, DeadlineMs));

    ClickWhereTheCursorIs();
    EXPECT_TRUE(WaitUntil([] { return gLastButtonWindow != 0; }, DeadlineMs));
    EXPECT_EQ(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(after)), gLastButtonWindow.load());
    DestroyWindow(before);
    DestroyWindow(after);
}

}  // namespace
