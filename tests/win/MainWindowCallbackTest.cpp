// The window callback's transitions, with every operation it calls replaced by a fake that
// writes its name into a log. Hook events reach it as in the program: the hook thread's ring
// (a scripted one here) and its announcement. The two task-modal boxes are real and answered by
// the dialog driver's thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "app/CommonExit.h"
#include "app/MainWindowCallback.h"
#include "app/RunLog.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "core/ActivityState.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "hooks/EventWindow.h"
#include "hooks/HookEventRing.h"
#include "hooks/HookThread.h"
#include "library/RecordingsList.h"
#include "playback/PlaybackWorker.h"
#include "recording/Recorder.h"
#include "recording/SaveFlow.h"
#include "support/DialogDriver.h"
#include "support/ExpectedTexts.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/Tray.h"

static std::vector<std::string> gLog;
static bool gStartSucceeds = true;
// A write of the recording fails: in RecordHookEventAt (during the recording) and in
// StopRecording (which also reports an earlier one).
static bool gRecordWriteFails = false;
static bool gFinalWriteFails = false;
// The hook thread's ring as the test scripts it: filled by the test's thread and the dialog
// driver's, taken by the callback on the test's thread.
static std::mutex gRingLock;
static std::deque<HookEvent> gRing;
static bool gWorkerRunning = false;
// Set by the fake StopPlaybackWorker on the test's thread; read by the dialog driver's thread
// while the cancel notice is open, into gStoppedWhileNoticeOpen: the worker is stopped before
// the notice comes up, not once it is answered.
static std::atomic<bool> gWorkerStopped{false};
static std::atomic<bool> gStoppedWhileNoticeOpen{false};
static std::vector<std::pair<uintptr_t, intptr_t>> gRecorded;
static void (*gDuringSaveFlow)() = nullptr;

HWND gMainWindow = nullptr;
HICON gIdleIcon = reinterpret_cast<HICON>(0x1D1E);
HICON gActiveIcon = reinterpret_cast<HICON>(0xAC71);

bool StartRecording()
{
    gLog.push_back("StartRecording");
    return gStartSucceeds;
}
void SetReferenceTime(uint32_t time)
{
    gLog.push_back("SetReferenceTime " + std::to_string(time));
}
bool RecordHookEventAt(const HookEvent& event)
{
    gRecorded.push_back({event.message, event.value});
    return !gRecordWriteFails;
}
bool TakeHookEvent(HookEvent& event)
{
    std::lock_guard<std::mutex> lock(gRingLock);
    if (gRing.empty()) return false;
    event = gRing.front();
    gRing.pop_front();
    return true;
}
bool StopRecording()
{
    gLog.push_back("StopRecording");
    return !gRecordWriteFails && !gFinalWriteFails;
}
bool IsRecordingFileOpen()
{
    return false;
}
void SaveRecording()
{
    gLog.push_back("SaveRecording state=" + std::to_string(gActivityState.load()));
    if (gDuringSaveFlow) gDuringSaveFlow();
}
void RefreshRecordingsList()
{
    gLog.push_back("RefreshRecordingsList");
}
bool IsPlaybackWorkerRunning()
{
    return gWorkerRunning;
}
// The token of the worker's end message as the fake has it; any other end is forged.
constexpr WPARAM WorkerEndFirst = 0x51E7;
constexpr LPARAM WorkerEndSecond = 0x0D0C;
bool TakePlaybackEnd(WPARAM wParam, LPARAM lParam)
{
    return wParam == WorkerEndFirst && lParam == WorkerEndSecond;
}
void StopPlaybackWorker()
{
    gLog.push_back("StopPlaybackWorker");
    gWorkerStopped = true;
}
bool IsAnotherCopyPlaying()
{
    return false;
}
void NoteRunEnd(RunEnd)
{}
int MessageDialog(const wchar_t*, const wchar_t* text, unsigned style)
{
    gLog.push_back("MessageDialog " + std::to_string(style) +
                   (std::wstring(text) == expected::RecordingIncompleteWarning ? " incomplete" : " other"));
    return IDOK;
}
// Thrown by the fake common exit, which must not return.
struct LeftThroughCommonExit {};
void CommonExit()
{
    gLog.push_back("CommonExit");
    throw LeftThroughCommonExit{};
}
void HideMainWindow()
{
    gLog.push_back("HideMainWindow");
}
void ShowMainWindow()
{
    gLog.push_back("ShowMainWindow");
}
void ShowMainWindowInBackground()
{
    gLog.push_back("ShowMainWindowInBackground");
}
bool ChangeTrayIcon(UINT id, HICON icon)
{
    gLog.push_back(std::string("ChangeTrayIcon ") + std::to_string(id) +
                   (icon == gIdleIcon     ? " idle"
                    : icon == gActiveIcon ? " active"
                                          : " other"));
    return true;
}
bool IsTaskbarCreatedMessage(UINT message)
{
    return message == RegisterWindowMessageW(L"TaskbarCreated");
}
void AddTrayIconsAgain()
{
    gLog.push_back("AddTrayIconsAgain");
}

// A press's window and control, noted by the hook thread under the event's serials: the
// recorder's calls go into gRecorded among the events, as {WindowGroup or ControlGroup, serial}.
constexpr uintptr_t WindowGroup = 0x5000, ControlGroup = 0xC000;
bool ReadHookEventWindow(const HookEvent& event, WindowIdentity&)
{
    return event.windowSerial != 0;
}
bool RecordEventWindow(uint32_t serial, const WindowIdentity&)
{
    gRecorded.push_back({WindowGroup, serial});
    return true;
}
bool ReadHookEventControl(const HookEvent& event, ControlIdentity&)
{
    return event.controlSerial != 0;
}
bool RecordEventControl(uint32_t serial, const ControlIdentity&)
{
    gRecorded.push_back({ControlGroup, serial});
    return true;
}

// The hook thread's way: the event into the ring, and its announcement to the window.
static void PutInRing(WPARAM wParam, LPARAM lParam, uint32_t windowSerial = 0, uint32_t controlSerial = 0)
{
    std::lock_guard<std::mutex> lock(gRingLock);
    gRing.push_back(
        {static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam), 0, 0, 4321, 1, windowSerial, 2, controlSerial});
}
static LRESULT Hook(WPARAM wParam, LPARAM lParam, uint32_t windowSerial = 0, uint32_t controlSerial = 0)
{
    PutInRing(wParam, lParam, windowSerial, controlSerial);
    return MainWindowCallback(gMainWindow, HookEventsWaitingMessage, 0, 0);
}

// Notes whether the worker was stopped by the time the cancel notice is open.
static void NoteTheStop()
{
    gStoppedWhileNoticeOpen = gWorkerStopped.load();
}

class MainWindowCallbackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gLog.clear();
        gRecorded.clear();
        gRing.clear();
        gStartSucceeds = true;
        gRecordWriteFails = false;
        gFinalWriteFails = false;
        gQuitAfterPlayback = 0;
        gWorkerRunning = false;
        gWorkerStopped = false;
        gStoppedWhileNoticeOpen = false;
        gDuringSaveFlow = nullptr;
        gActivityState.store(Idle);
        gMainWindow =
            CreateWindowExW(0, L"STATIC", L"callback test", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(gMainWindow);
    }
};

TEST_F(MainWindowCallbackTest, F9InIdleStartsARecordingInOrder)
{
    EXPECT_FALSE(Hook(WM_KEYDOWN, VirtualKeyF9));
    EXPECT_EQ(gActivityState.load(), Recording);
    EXPECT_EQ(gLog, (std::vector<std::string>{"StartRecording", "SetReferenceTime 4321", "HideMainWindow",
                                              "ChangeTrayIcon 0 active"}));
    EXPECT_TRUE(gRecorded.empty());
}

TEST_F(MainWindowCallbackTest, OnlyExactF9PressesToggleAndEverythingElseIsRecorded)
{
    gActivityState.store(Recording);
    Hook(WM_KEYUP, VirtualKeyF9);  // the release of the starting press
    Hook(WM_KEYDOWN, 0x41);
    Hook(WM_KEYDOWN, 0x100 | VirtualKeyF9);  // further bits set: not F9
    Hook(WM_SYSKEYUP, VirtualKeyF9);
    Hook(WM_MOUSEMOVE, 0);  // the position was read on the hook thread
    Hook(WM_MOUSEWHEEL, -2);
    Hook(0x20E, 1);  // not a recorded kind: the recorder decides
    EXPECT_EQ(gActivityState.load(), Recording);
    EXPECT_TRUE(gLog.empty());
    ASSERT_EQ(gRecorded.size(), 7u);
    EXPECT_EQ(gRecorded[0], (std::pair<uintptr_t, intptr_t>{WM_KEYUP, VirtualKeyF9}));
    EXPECT_EQ(gRecorded[2], (std::pair<uintptr_t, intptr_t>{WM_KEYDOWN, 0x178}));
    EXPECT_EQ(gRecorded[5], (std::pair<uintptr_t, intptr_t>{WM_MOUSEWHEEL, -2}));
}

// Each press's window, then its control (serial 0: none), then the press itself.
TEST_F(MainWindowCallbackTest, APressIsRecordedAfterItsWindowAndItsControl)
{
    gActivityState.store(Recording);
    Hook(WM_LBUTTONDOWN, 0, 7, 9);
    Hook(WM_LBUTTONUP, 0);
    Hook(WM_KEYDOWN, 0x41, 7);
    using Entry = std::pair<uintptr_t, intptr_t>;
    EXPECT_EQ(gRecorded, (std::vector<Entry>{{WindowGroup, 7},
                                             {ControlGroup, 9},
                                             {WM_LBUTTONDOWN, 0},
                                             {WM_LBUTTONUP, 0},
                                             {WindowGroup, 7},
                                             {ControlGroup, 0},
                                             {WM_KEYDOWN, 0x41}}));
}

TEST_F(MainWindowCallbackTest, AltF9StopsTheRecordingAndF9IsDeadDuringTheSaveFlow)
{
    gActivityState.store(Recording);
    gDuringSaveFlow = [] {
        Hook(WM_KEYDOWN, VirtualKeyF9);  // nested, from inside the naming dialog
        Hook(WM_KEYDOWN, 0x41);
    };
    Hook(WM_SYSKEYDOWN, VirtualKeyF9);
    EXPECT_EQ(gActivityState.load(), Idle);
    EXPECT_EQ(gLog, (std::vector<std::string>{"ShowMainWindow", "ChangeTrayIcon 0 idle", "StopRecording",
                                              "SaveRecording state=3", "RefreshRecordingsList"}));
    EXPECT_TRUE(gRecorded.empty());
}

TEST_F(MainWindowCallbackTest, AHookNotificationPostedStraightToTheWindowIsNotInput)
{
    // Anyone can post it; only the hook thread's ring is input. (Whether a move's address lies
    // in the mouse module's ring is checked where the position is read, on the hook thread.)
    gActivityState.store(Recording);
    for (WPARAM message : {WPARAM(WM_KEYDOWN), WPARAM(WM_MOUSEMOVE), WPARAM(WM_LBUTTONDOWN)})
        EXPECT_FALSE(MainWindowCallback(gMainWindow, HookEventMessage, message, 0x41));
    EXPECT_FALSE(MainWindowCallback(gMainWindow, HookEventMessage, WM_KEYDOWN, VirtualKeyF9));
    EXPECT_TRUE(gRecorded.empty());
    EXPECT_TRUE(gLog.empty()) << "an F9 stopped the recording";
    gActivityState.store(Idle);
    MainWindowCallback(gMainWindow, HookEventMessage, WM_KEYDOWN, VirtualKeyF9);
    EXPECT_EQ(gActivityState.load(), Idle) << "an F9 started a recording";
    // The announcement with nothing in the ring does nothing either.
    EXPECT_FALSE(MainWindowCallback(gMainWindow, HookEventsWaitingMessage, 0, 0));
    EXPECT_TRUE(gLog.empty());
}

TEST_F(MainWindowCallbackTest, LostInputEndsTheRecordingAfterTheWarningAndOnlyThen)
{
    // Outside a recording the word of a gap changes nothing.
    for (int32_t state : {Idle, Playing, Busy}) {
        gActivityState.store(state);
        Hook(LostHookEventsMessage, 0);
        EXPECT_EQ(gActivityState.load(), state);
    }
    EXPECT_TRUE(gLog.empty());
    // During one: what came before the gap is recorded, then the recording ends as after a
    // failed write, and what the ring hands over after that is not recorded.
    gActivityState.store(Recording);
    PutInRing(WM_KEYDOWN, 0x41);
    PutInRing(LostHookEventsMessage, 0);
    PutInRing(WM_KEYDOWN, 0x42);
    for (int i = 0; i < 3; ++i) MainWindowCallback(gMainWindow, HookEventsWaitingMessage, 0, 0);
    EXPECT_EQ(gRecorded, (std::vector<std::pair<uintptr_t, intptr_t>>{{WM_KEYDOWN, 0x41}}));
    EXPECT_EQ(gLog, (std::vector<std::string>{"ShowMainWindow", "ChangeTrayIcon 0 idle", "StopRecording",
                                              "MessageDialog 48 incomplete", "SaveRecording state=3",
                                              "RefreshRecordingsList"}));
    EXPECT_EQ(gActivityState.load(), Idle);
}

TEST_F(MainWindowCallbackTest, AFailedWriteEndsTheRecordingLikeF9AfterTheWarning)
{
    // During the recording: the event after which the buffer could not be written ends it.
    gActivityState.store(Recording);
    gRecordWriteFails = true;
    Hook(WM_KEYDOWN, 0x41);
    const std::vector<std::string> ended = {"ShowMainWindow",        "ChangeTrayIcon 0 idle",
                                            "StopRecording",         "MessageDialog 48 incomplete",
                                            "SaveRecording state=3", "RefreshRecordingsList"};
    EXPECT_EQ(gLog, ended);
    EXPECT_EQ(gActivityState.load(), Idle);

    // At F9, when the last write fails: the same warning before the naming dialog.
    gLog.clear();
    gRecordWriteFails = false;
    gFinalWriteFails = true;
    gActivityState.store(Recording);
    Hook(WM_KEYDOWN, VirtualKeyF9);
    EXPECT_EQ(gLog, ended);
    EXPECT_EQ(gActivityState.load(), Idle);
}

TEST_F(MainWindowCallbackTest, TheEndOfTheSessionLeavesThroughTheCommonExit)
{
    gActivityState.store(Recording);
    EXPECT_FALSE(MainWindowCallback(gMainWindow, WM_ENDSESSION, FALSE, 0));  // the log-off was called off
    EXPECT_TRUE(gLog.empty());
    EXPECT_THROW(MainWindowCallback(gMainWindow, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF), LeftThroughCommonExit);
    EXPECT_EQ(gLog, (std::vector<std::string>{"CommonExit"}));
}

TEST_F(MainWindowCallbackTest, HookEventsOutsideRecordingAreIgnored)
{
    for (int32_t state : {Idle, Playing, Busy}) {
        gActivityState.store(state);
        Hook(WM_KEYDOWN, 0x41);
        Hook(WM_LBUTTONDOWN, 0);
        Hook(WM_KEYUP, VirtualKeyF9);
        EXPECT_EQ(gActivityState.load(), state);
    }
    gActivityState.store(Busy);
    Hook(WM_KEYDOWN, VirtualKeyF9);
    EXPECT_EQ(gActivityState.load(), Busy);
    EXPECT_TRUE(gRecorded.empty());
    EXPECT_TRUE(gLog.empty());
}

TEST_F(MainWindowCallbackTest, F9IsIgnoredWhileAStoppedWorkerIsStillFinishing)
{
    gWorkerRunning = true;
    Hook(WM_KEYDOWN, VirtualKeyF9);
    EXPECT_EQ(gActivityState.load(), Idle);
    EXPECT_TRUE(gLog.empty());
}

TEST_F(MainWindowCallbackTest, FailedStartShowsTheTaskModalErrorAndStaysIdle)
{
    gStartSucceeds = false;
    StartDialogScript({ClickButton(IDOK)});
    Hook(WM_KEYDOWN, VirtualKeyF9);
    std::vector<DialogSeen> seen;
    ASSERT_TRUE(FinishDialogScriptWith(1, seen));
    EXPECT_EQ(seen[0].text, expected::RecordingNotStartedError);
    EXPECT_EQ(seen[0].activityState, Idle);
    EXPECT_EQ(gActivityState.load(), Idle);
    EXPECT_EQ(gLog, (std::vector<std::string>{"StartRecording"}));
}

TEST_F(MainWindowCallbackTest, AStopAtF9ShowsTheNoticeAndIgnoresInputMeanwhile)
{
    gActivityState.store(Busy);  // as the hook thread leaves it when it stops the playback at F9
    // While the notice is open the worker ends: its message does not bring the window back,
    // the answer does, behind the application the user is in. Another F9 does nothing.
    StartDialogScript({{DialogKind::Box, [](HWND box) {
                            NoteTheStop();
                            PutInRing(WM_KEYDOWN, VirtualKeyF9);
                            PostMessageW(gMainWindow, HookEventsWaitingMessage, 0, 0);
                            PostMessageW(gMainWindow, PlaybackEndedMessage, WorkerEndFirst, WorkerEndSecond);
                            Sleep(200);
                            PostButtonClick(box, IDOK);
                        }}});
    // The test window is a STATIC; route the posted messages to the callback while the box runs
    // its loop by subclassing it.
    SetWindowLongPtrW(gMainWindow, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
                          MainWindowCallback(w, m, wp, lp);
                          return DefWindowProcW(w, m, wp, lp);
                      }));
    Hook(PlaybackStoppedByF9Message, VirtualKeyF9);
    std::vector<DialogSeen> seen;
    ASSERT_TRUE(FinishDialogScriptWith(1, seen));
    EXPECT_EQ(seen[0].text, expected::PlaybackCancelledNotice);
    EXPECT_EQ(seen[0].activityState, Busy);
    EXPECT_TRUE(gStoppedWhileNoticeOpen.load()) << "the worker played on while the notice was open";
    EXPECT_EQ(gActivityState.load(), Idle);
    EXPECT_EQ(gLog,
              (std::vector<std::string>{"StopPlaybackWorker", "ChangeTrayIcon 0 idle", "ShowMainWindowInBackground"}));

    // The window is back; the stopped worker's end, should it come only now, leaves it alone.
    gLog.clear();
    ShowWindow(gMainWindow, SW_SHOWNA);
    EXPECT_FALSE(MainWindowCallback(gMainWindow, PlaybackEndedMessage, WorkerEndFirst, WorkerEndSecond));
    EXPECT_TRUE(gLog.empty());
}

TEST_F(MainWindowCallbackTest, AStopAtF9OfAnUnattendedPlaybackEndsTheProgramOnceAnswered)
{
    gActivityState.store(Busy);
    gQuitAfterPlayback = 1;
    StartDialogScript({{DialogKind::Box, [](HWND box) {
                            NoteTheStop();
                            PostButtonClick(box, IDOK);
                        }}});
    Hook(PlaybackStoppedByF9Message, VirtualKeyF9);
    std::vector<DialogSeen> seen;
    ASSERT_TRUE(FinishDialogScriptWith(1, seen));
    EXPECT_EQ(seen[0].text, expected::PlaybackCancelledNotice);
    EXPECT_TRUE(gStoppedWhileNoticeOpen.load()) << "the worker played on while the notice was open";
    EXPECT_EQ(gActivityState.load(), Idle);
    EXPECT_EQ(gLog, (std::vector<std::string>{"StopPlaybackWorker"}));
    MSG close;
    EXPECT_TRUE(PeekMessageW(&close, gMainWindow, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "the program did not end";
}

TEST_F(MainWindowCallbackTest, PlaybackEndedShowsTheWindowWithoutTheFocusInAnyStateAndLeavesTheState)
{
    for (int32_t state : {Idle, Recording, Playing}) {
        gLog.clear();
        gActivityState.store(state);
        // Another program's end message, with any but the worker's token, changes nothing.
        EXPECT_FALSE(MainWindowCallback(gMainWindow, PlaybackEndedMessage, 0, 0));
        EXPECT_FALSE(MainWindowCallback(gMainWindow, PlaybackEndedMessage, WorkerEndFirst, 0));
        EXPECT_TRUE(gLog.empty());
        EXPECT_FALSE(MainWindowCallback(gMainWindow, PlaybackEndedMessage, WorkerEndFirst, WorkerEndSecond));
        EXPECT_EQ(gActivityState.load(), state);
        EXPECT_EQ(gLog, (std::vector<std::string>{"ChangeTrayIcon 0 idle", "ShowMainWindowInBackground"}));
    }
}

TEST_F(MainWindowCallbackTest, OtherMessagesPassUntouched)
{
    gActivityState.store(Recording);
    EXPECT_FALSE(MainWindowCallback(gMainWindow, WM_KEYDOWN, VirtualKeyF9, 0));
    EXPECT_FALSE(MainWindowCallback(gMainWindow, TrayCallbackMessage, 0, WM_LBUTTONDOWN));
    EXPECT_TRUE(gLog.empty());
    EXPECT_TRUE(gRecorded.empty());
}
