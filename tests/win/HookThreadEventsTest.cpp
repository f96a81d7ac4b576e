// The hook thread with the built modules as the program runs it: each event keeps the time it
// reached the hook thread, however long the main thread takes over each one; messages from
// outside, posted to its window or broadcast, neither end the thread nor bring the hooks back;
// and input the hooks do not report still tells the watchdog that they are alive.
//
// The main window's stand-in belongs to a receiver thread of the test's own, which takes the
// events up as the window callback does and hands them to the real recorder.
#include <gtest/gtest.h>

#include <windows.h>

#include <tlhelp32.h>

#include <atomic>
#include <vector>

#include "core/HookProtocol.h"
#include "core/Messages.h"
#include "core/MillisecondClock.h"
#include "core/PlaybackMark.h"
#include "hooks/HookModules.h"
#include "hooks/HookEventRing.h"
#include "hooks/HookThread.h"
#include "hooks/HookWatchdog.h"
#include "library/RecordsFolder.h"
#include "recording/Recorder.h"
#include "support/FileHelpers.h"
#include "support/ReceiverThread.h"
#include "support/SentInput.h"
#include "support/TempWorkingFolder.h"
#include "support/WinePaths.h"

namespace {

constexpr DWORD DeadlineMs = 20000;
// Long enough for every check that could still judge the input so far: the grace and a period.
constexpr DWORD QuietForMs = 2200;

// Set by the test before the receiver starts; read by the receiver.
std::atomic<DWORD> gHoldPerEventMs{0};
// Written by the receiver thread, read by the test.
std::atomic<unsigned> gEventsTaken{0};
std::atomic<unsigned> gWheelEvents{0};
std::atomic<unsigned> gKeyDowns[256];
// How many events the receiver had taken before the first press of M.
std::atomic<unsigned> gTakenBeforeM{0};

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != HookEventsWaitingMessage) return DefWindowProcW(window, message, wParam, lParam);
    HookEvent event;
    while (TakeHookEvent(event)) {
        // A main thread busy with each event (a slow disk, a dialog's start).
        if (gHoldPerEventMs > 0) Sleep(gHoldPerEventMs);
        RecordHookEventAt(event);
        if (event.message == WM_KEYDOWN && event.value == 'M' && gKeyDowns['M'] == 0)
            gTakenBeforeM = gEventsTaken.load();
        if (event.message == WM_KEYDOWN && event.value >= 0 && event.value < 256) ++gKeyDowns[event.value];
        if (event.message == WM_MOUSEWHEEL || event.message == WM_MOUSEHWHEEL) ++gWheelEvents;
        ++gEventsTaken;
    }
    return 0;
}

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t offset)
{
    return static_cast<int32_t>(bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
                                (uint32_t(bytes[offset + 3]) << 24));
}

class HookThreadEventsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
        for (auto& count : gKeyDowns) count = 0;
        gEventsTaken = 0;
        gTakenBeforeM = 0;
        gWheelEvents = 0;
        ASSERT_TRUE(StartReceiverThread(L"TandrelHookThreadEventsTest", ReceiverProc, receiver));
        ASSERT_FALSE(DistFolder().empty()) << "TANDREL_DIST_DIR is not set";
        ASSERT_TRUE(SetDllDirectoryW(DistFolder().c_str()));
        LoadHookModules();
        const InstalledHooks installed = StartHookThread(receiver.window);
        ASSERT_TRUE(installed.keyboard && installed.mouse);
        ASSERT_NE(nullptr, HookThreadWindow());
        // Input within the slack of an install counts as before it.
        Sleep(HookReportSlackMilliseconds + 50);
    }
    void TearDown() override
    {
        UnloadHookModules();
        SetDllDirectoryW(nullptr);
        FinishReceiver();
        gHoldPerEventMs = 0;
        StopRecording();
        LeaveWorkingFolder();
    }
    // Everything posted to the receiver so far is handled once this returns.
    void FinishReceiver()
    {
        FinishReceiverThread(receiver);
    }
    ReceiverThread receiver = {};
};

}  // namespace

TEST_F(HookThreadEventsTest, DelaysAreThoseOfTheInputHoweverLongTheMainThreadTakes)
{
    gHoldPerEventMs = 300;
    ASSERT_TRUE(StartRecording());
    SetReferenceTime(ReadMillisecondClock());
    // Six key events about 120 ms apart (as this thread's clock saw them sent); the stand-in
    // takes 300 ms over each, so they reach it further and further behind.
    constexpr int Events = 6;
    uint32_t sent[Events];
    for (int i = 0; i < Events; ++i) {
        if (i > 0) Sleep(120);
        sent[i] = ReadMillisecondClock();
        SendKey('T', i % 2 == 0);
    }
    ASSERT_TRUE(WaitUntil([] { return gEventsTaken >= Events; }, DeadlineMs)) << gEventsTaken << " events";
    FinishReceiver();
    ASSERT_TRUE(StopRecording());
    const std::vector<uint8_t> bytes = ReadWholeFile(TempRecordPath);
    ASSERT_EQ(bytes.size(), Events * 16u);
    for (int i = 1; i < Events; ++i) {
        const int32_t recorded = Int32At(bytes, i * 16 + 4);
        const int32_t spacing = static_cast<int32_t>(sent[i] - sent[i - 1]);
        // Generous: how late the system hands each event to the hook varies; 300 ms of
        // holding per event would show as delays near 300.
        EXPECT_NEAR(recorded, spacing, 60) << "event " << i;
    }
}

TEST_F(HookThreadEventsTest, MessagesFromOutsideChangeNothing)
{
    const HWND window = HookThreadWindow();
    // Every number of the program's own ranges, to the hook thread's window, and a few that
    // would end or close it. A hook event of no input message (0 stands for the ring's lost
    // events, which would end a recording) is no event at all; a forged move the move address
    // check covers.
    for (UINT message = WM_USER; message < WM_USER + 0x400; ++message) PostMessageW(window, message, 0, 0);
    for (WPARAM notInput : {0x0u, 0x102u, 0x209u, 0x400u, 0xFFFFu}) PostMessageW(window, HookEventMessage, notInput, 0);
    for (UINT message = WM_APP; message < WM_APP + 0x40; ++message) PostMessageW(window, message, 0, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
    PostMessageW(window, WM_QUIT, 0, 0);
    PostMessageW(HWND_BROADCAST, WM_APP + 1, 0, 0);
    // The thread still installs nothing anew and still reports a key.
    SendKey('M', true);
    SendKey('M', false);
    EXPECT_TRUE(WaitUntil([] { return gKeyDowns['M'] == 1; }, DeadlineMs)) << "the hook thread has ended";
    EXPECT_EQ(0u, gTakenBeforeM.load()) << "a message from outside was passed on as an event";
    EXPECT_EQ(window, HookThreadWindow());
    EXPECT_TRUE(IsWindow(window)) << "its window was closed";
    EXPECT_EQ(0u, HookReinstallCount());
}

TEST_F(HookThreadEventsTest, ThreadMessagesPostedByIdToEveryThreadChangeNothing)
{
    // As another program would: list the process's threads and post to each by its id (all but
    // the receiver, the test's stand-in for the main window, which ends on a thread message).
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId() || entry.th32ThreadID == receiver.id) continue;
        for (UINT offset = 0; offset < 0x40; ++offset) {
            PostThreadMessageW(entry.th32ThreadID, WM_USER + offset, 0, 0);
            PostThreadMessageW(entry.th32ThreadID, WM_APP + offset, 0, 0);
        }
        PostThreadMessageW(entry.th32ThreadID, WM_CLOSE, 0, 0);
        PostThreadMessageW(entry.th32ThreadID, WM_QUIT, 0, 0);
    }
    CloseHandle(snapshot);
    // F9 still reaches the main window, where it would start a recording, and so does a key.
    SendKey(VK_F9, true);
    SendKey(VK_F9, false);
    SendKey('M', true);
    SendKey('M', false);
    EXPECT_TRUE(WaitUntil([] { return gKeyDowns[VK_F9] == 1 && gKeyDowns['M'] == 1; }, DeadlineMs))
        << "the hook thread has ended or mutes its hooks";
    MSG message;  // what reached the test's own thread goes, before a later test pumps it
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST_F(HookThreadEventsTest, APlaybacksOwnInputPassedOnUnreportedBringsNothingBack)
{
    // Four seconds of keys and clicks with the running playback's mark (the Activity state
    // left Idle, so only the hooks' passed-on ticks can tell the watchdog they saw it).
    constexpr ULONG_PTR Mark = 0x5EC2E7u;
    gPlaybackMark.mark.store(Mark);
    const DWORD start = GetTickCount();
    for (int i = 0; GetTickCount() - start < 4000; ++i) {
        SendKey(VK_F24, i % 2 == 0, Mark);
        SendMouse(i % 2 == 0 ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP, 0, Mark);
        Sleep(50);
    }
    const bool reinstalled = WaitUntil([] { return HookReinstallCount() > 0; }, QuietForMs);
    gPlaybackMark.mark.store(0);
    EXPECT_FALSE(reinstalled) << HookReinstallCount() << " re-installs";
    EXPECT_EQ(0u, gEventsTaken.load()) << "the playback's own input was reported";
}

TEST_F(HookThreadEventsTest, InputTheHooksDoNotReportBringsNothingBack)
{
    // Five seconds of wheel steps smaller than a notch, both wheels, each turned back before a
    // notch is complete: the hooks see all of it and report none of it. Now and then the back
    // button, which they do report.
    unsigned xClicks = 0;
    const DWORD start = GetTickCount();
    for (int i = 0; GetTickCount() - start < 5000; ++i) {
        const DWORD step = i % 2 == 0 ? 30 : static_cast<DWORD>(-30);
        SendMouse(MOUSEEVENTF_WHEEL, step);
        SendMouse(MOUSEEVENTF_HWHEEL, step);
        if (i % 10 == 0) {
            SendMouse(MOUSEEVENTF_XDOWN, XBUTTON1);
            SendMouse(MOUSEEVENTF_XUP, XBUTTON1);
            ++xClicks;
        }
        Sleep(50);
    }
    EXPECT_FALSE(WaitUntil([] { return HookReinstallCount() > 0; }, QuietForMs))
        << HookReinstallCount() << " re-installs";
    EXPECT_EQ(0u, gWheelEvents.load()) << "a step smaller than a notch reached the main window";
    EXPECT_EQ(2 * xClicks, gEventsTaken.load()) << "the back button's presses and releases";
}
