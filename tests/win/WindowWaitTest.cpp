// The worker's wait for a recording's window, with the real worker and real windows of the
// test's own, and fake injection and timing (the fake clock moves only when playback waits, so
// a ten-second time-out passes at once): a window that never comes stops the playback with its
// message after the held keys are released, and the worker's end says why; a stop ends the
// wait at once; a window that comes late moves the rest of the schedule by the time waited, is
// waited for as long as the recording waited there when that is longer, and gets the positions
// relative to where it stands now; a window of the class in another program is not taken.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/ActivityState.h"
#include "core/Settings.h"
#include "core/WindowIdentityRead.h"
#include "playback/Injection.h"
#include "playback/PlaybackWorker.h"
#include "recording/WindowRecords.h"
#include "support/DialogDriver.h"
#include "support/PlaybackFakes.h"
#include "support/PlaybackStart.h"
#include "support/TempWorkingFolder.h"

namespace {

constexpr DWORD DeadlineMs = 20000;
constexpr wchar_t FrontClass[] = L"TandrelWaitFront";
constexpr wchar_t LateClass[] = L"TandrelWaitLate";

HWND MakeWindow(const wchar_t* windowClass, int x = 50, int y = 50)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = windowClass;
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, windowClass, windowClass, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 300, 200,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(window);
    return window;
}

// The identity a recording would hold for a window of this class of the test's own program.
WindowIdentity IdentityOf(HWND window, const wchar_t* windowClass)
{
    WindowIdentity identity{};
    ReadWindowProgram(window, identity);
    WindowTextToUtf8(windowClass, identity.windowClass, static_cast<int>(WindowClassBytes));
    identity.left = 50;
    identity.top = 50;
    identity.width = 300;
    identity.height = 200;
    return identity;
}

void Append(std::vector<InputRecord>& records, const WindowIdentity& window)
{
    InputRecord group[MaxWindowRecords];
    records.insert(records.end(), group, group + EncodeWindowRecords(window, group));
}

// The identity with the name of another program.
WindowIdentity InAnotherProgram(WindowIdentity identity)
{
    std::memset(identity.program, 0, sizeof identity.program);
    std::memcpy(identity.program, "another.exe", sizeof "another.exe");
    return identity;
}

// The fake time in ms at which the injection was logged, or -1.
double TimeOf(const std::string& what)
{
    for (const std::string& line : gFakeLog) {
        const size_t space = line.find(' ');
        if (line.substr(space + 1) == what) return std::atof(line.substr(0, space).c_str());
    }
    return -1;
}

using Lines = std::vector<std::string>;

// The message box owns itself to the program's window in front, the test's own here, whose
// thread must go on handling its messages while the box opens and closes.
template <typename Condition>
bool PumpUntil(Condition condition)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < DeadlineMs) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (condition()) return true;
        Sleep(10);
    }
    return false;
}

class WindowWaitTest : public ::testing::Test {
protected:
    HWND front = nullptr;
    std::vector<InputRecord> records;
    std::wstring boxText;  // the message PlayToItsEnd closed, if any

    void SetUp() override
    {
        EnterFreshWorkingFolder();
        front = MakeWindow(FrontClass);
        ASSERT_NE(nullptr, front);
        // The first window is the one in front; then Shift, then a window of another class.
        Append(records, IdentityOf(front, FrontClass));
        records.push_back(InputRecord{Key, 0x10, 1, 15, 0, 0});
        Append(records, IdentityOf(front, LateClass));
        ResetForPlayback();
    }

    void TearDown() override
    {
        CloseWorkerThreadHandles();
        DestroyWindow(front);
        LeaveWorkingFolder();
    }

    // Plays, closes the message should one come, and tells how the worker ended.
    PlaybackEnd PlayToItsEnd()
    {
        Play();
        HWND box = nullptr;
        EXPECT_TRUE(PumpUntil([&box] { return WaitForPlaybackWorkerEnd(0) || (box = FindDialog(DialogKind::Box)); }));
        if (box != nullptr) {
            boxText = BoxText(box);
            PostButtonClick(box, IDOK);
            EXPECT_TRUE(PumpUntil([] { return WaitForPlaybackWorkerEnd(0); }));
        }
        return LastPlaybackEnd();
    }

    void Play()
    {
        gPlaybackPath = WriteRecordingFile(L"Windows.rec", records);
        ASSERT_TRUE(StartPlaybackWorker(nullptr));
    }
};

}  // namespace

TEST_F(WindowWaitTest, AWindowThatNeverComesStopsThePlaybackAfterTheReleaseWithItsMessage)
{
    records.push_back(InputRecord{Key, 0x59, 1, 20, 0, 0});
    records.push_back(InputRecord{Key, 0x59, 0, 20, 0, 0});
    Play();
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&box] { return (box = FindDialog(DialogKind::Box)) != nullptr; }));
    const std::wstring text = BoxText(box);
    EXPECT_NE(std::wstring::npos, text.find(L"Fensterklasse: TandrelWaitLate")) << text.c_str();
    EXPECT_NE(std::wstring::npos, text.find(L"Programm: win_window_wait.exe")) << text.c_str();
    EXPECT_EQ((Lines{"key 16 down", "key 16 up"}), gInjected) << "Shift released before the message";
    PostButtonClick(box, IDOK);
    ASSERT_TRUE(PumpUntil([] { return WaitForPlaybackWorkerEnd(0); }));
    EXPECT_EQ((Lines{"key 16 down", "key 16 up"}), gInjected) << "nothing after it";
    EXPECT_EQ(PlaybackEnd::WindowMissing, LastPlaybackEnd());
    // The record was due at 2035 ms; the wait gave up ten seconds later.
    EXPECT_GE(TimeOf("key 16 up"), 2035 + 10000);
    EXPECT_LT(TimeOf("key 16 up"), 2035 + 10100);
}

TEST_F(WindowWaitTest, AStopEndsTheWaitAtOnce)
{
    records.push_back(InputRecord{Key, 0x59, 1, 20, 0, 0});
    int waits = 0;
    gOnFakeEvent = [&waits](const std::string& what) {
        if (what == "wait 10" && ++waits == 20) SignalPlaybackStop();
    };
    Play();
    ASSERT_TRUE(WaitForPlaybackWorkerEnd(DeadlineMs));
    EXPECT_EQ(nullptr, FindDialog(DialogKind::Box));
    EXPECT_EQ(PlaybackEnd::Stopped, LastPlaybackEnd());
    EXPECT_EQ((Lines{"key 16 down", "key 16 up"}), gInjected);
    EXPECT_LT(TimeOf("key 16 up"), 2035 + 200);
}

TEST_F(WindowWaitTest, AWindowThatComesLateMovesTheRestOfTheScheduleByTheTimeWaited)
{
    records.push_back(InputRecord{Wheel, 0, 0, 20, 0, 1});
    records.push_back(InputRecord{Key, 0x41, 1, 30, 0, 0});
    records.push_back(InputRecord{Key, 0x41, 0, 30, 0, 0});
    HWND late = nullptr;
    int waits = 0;
    // Half a second into the wait the window appears (made on the worker's thread, in its wait).
    gOnFakeEvent = [&](const std::string& what) {
        if (what == "wait 10" && ++waits == 50) late = MakeWindow(LateClass);
    };
    Play();
    ASSERT_TRUE(WaitForPlaybackWorkerEnd(DeadlineMs));
    ASSERT_NE(nullptr, late);
    EXPECT_EQ(PlaybackEnd::Played, LastPlaybackEnd());
    EXPECT_EQ((Lines{"key 16 down", "wheel 120", "key 65 down", "key 65 up", "key 16 up"}), gInjected);
    EXPECT_EQ(2035 + 500, TimeOf("wheel 120"));
    EXPECT_EQ(30, TimeOf("key 65 down") - TimeOf("wheel 120"));
    EXPECT_EQ(30, TimeOf("key 65 up") - TimeOf("key 65 down"));
}

TEST_F(WindowWaitTest, TheRecordingsOwnLongerWaitThereIsWaitedInFull)
{
    // The recording waited 25 s before the wheel turn; the window comes after 15 s of waiting.
    records.push_back(InputRecord{Wheel, 0, 0, 25000, 0, 1});
    HWND late = nullptr;
    int waits = 0;
    gOnFakeEvent = [&](const std::string& what) {
        if (what == "wait 10" && ++waits == 1500) late = MakeWindow(LateClass);
    };
    EXPECT_EQ(PlaybackEnd::Played, PlayToItsEnd()) << boxText.c_str();
    ASSERT_NE(nullptr, late);
    EXPECT_EQ((Lines{"key 16 down", "wheel 120", "key 16 up"}), gInjected);
    EXPECT_EQ(2015 + 25000 + 15000, TimeOf("wheel 120"));
    DestroyWindow(late);
}

TEST_F(WindowWaitTest, PositionsGoWhereTheWindowStandsNowNotWhereItWasRecorded)
{
    // The first window was recorded 30 and 20 pixels up and left of where it stands; the late
    // one at 50,50, and it comes at 400,300.
    WindowIdentity first = IdentityOf(front, FrontClass);
    first.left = 20;
    first.top = 30;
    records.clear();
    Append(records, first);
    records.push_back(InputRecord{Move, 0, 0, 5, 60, 70});
    records.push_back(InputRecord{Key, 0x10, 1, 15, 0, 0});
    Append(records, IdentityOf(front, LateClass));
    records.push_back(InputRecord{Move, 0, 0, 20, 100, 80});
    records.push_back(InputRecord{Button, WM_LBUTTONDOWN, 0, 10, 0, 0});
    records.push_back(InputRecord{Button, WM_LBUTTONUP, 0, 10, 0, 0});
    // (Made on the worker's thread, the late window goes with it: its place is read at once.)
    RECT lateNow{};
    int waits = 0;
    gOnFakeEvent = [&](const std::string& what) {
        if (what == "wait 10" && ++waits == 5) GetWindowRect(MakeWindow(LateClass, 400, 300), &lateNow);
    };
    EXPECT_EQ(PlaybackEnd::Played, PlayToItsEnd()) << boxText.c_str();
    ASSERT_NE(0, lateNow.right) << "the late window was not made";
    RECT frontNow{};
    GetWindowRect(front, &frontNow);
    const auto move = [](const RECT& window, int x, int y) {
        return "move " + std::to_string(window.left + x) + "," + std::to_string(window.top + y);
    };
    ASSERT_NE(move(frontNow, 40, 40), "move 60,70") << "the first window stands where it was recorded";
    ASSERT_NE(move(lateNow, 50, 30), "move 100,80") << "the late window stands where it was recorded";
    // The cursor follows the late window at once (the last move lay inside its rectangle).
    EXPECT_EQ((Lines{move(frontNow, 40, 40), "key 16 down", move(lateNow, 10, 20), move(lateNow, 50, 30), "button 2",
                     "button 4", "key 16 up"}),
              gInjected);
}

TEST_F(WindowWaitTest, AWindowOfTheClassInAnotherProgramIsNotTaken)
{
    records.clear();
    Append(records, IdentityOf(front, FrontClass));
    records.push_back(InputRecord{Key, 0x10, 1, 15, 0, 0});
    Append(records, InAnotherProgram(IdentityOf(front, LateClass)));
    records.push_back(InputRecord{Wheel, 0, 0, 20, 0, 1});
    // A window of that class comes at once, but it is the test's own.
    HWND ours = nullptr;
    gOnFakeEvent = [&ours](const std::string& what) {
        if (what == "wait 10" && ours == nullptr) ours = MakeWindow(LateClass, 100, 100);
    };
    EXPECT_EQ(PlaybackEnd::WindowMissing, PlayToItsEnd());
    EXPECT_NE(nullptr, ours);
    EXPECT_NE(std::wstring::npos, boxText.find(L"Programm: another.exe")) << boxText.c_str();
    EXPECT_EQ((Lines{"key 16 down", "key 16 up"}), gInjected);
}
