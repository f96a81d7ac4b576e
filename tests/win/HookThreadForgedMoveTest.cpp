// A forged move sent to the hook thread while a recording runs: anyone can post HookEventMessage
// to the hook thread's window, with any address as the move's position. The thread reads a
// position only inside the mouse module's ring; any other address is not passed on to be
// recorded, and the thread goes on reporting real input.
//
// The main window's stand-in is a receiver thread of the test's own, which takes the events up
// as the window callback does and hands them to the real recorder.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>

#include "core/HookProtocol.h"
#include "core/Messages.h"
#include "core/MillisecondClock.h"
#include "hooks/HookModules.h"
#include "hooks/HookEventRing.h"
#include "hooks/HookThread.h"
#include "recording/Recorder.h"
#include "support/FileHelpers.h"
#include "support/ReceiverThread.h"
#include "support/SentInput.h"
#include "support/TempWorkingFolder.h"
#include "support/WinePaths.h"

namespace {

constexpr DWORD DeadlineMs = 20000;

// A readable position of the test's own, far from anything the mouse module holds: a thread
// that read it would pass on this very spot.
const POINT ForgedPosition = {4321, 1234};

// Written by the receiver thread, read by the test.
std::atomic<unsigned> gKeyEvents{0};
std::atomic<unsigned> gForgedMoves{0};

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != HookEventsWaitingMessage) return DefWindowProcW(window, message, wParam, lParam);
    HookEvent event;
    while (TakeHookEvent(event)) {
        RecordHookEventAt(event);
        if (event.message == WM_KEYDOWN || event.message == WM_KEYUP) ++gKeyEvents;
        if (event.message == WM_MOUSEMOVE && event.x == ForgedPosition.x && event.y == ForgedPosition.y) ++gForgedMoves;
    }
    return 0;
}

// A fault on the hook thread is to end the process at once and fail the test, not to wait for
// a debugger.
LONG WINAPI EndAtOnce(EXCEPTION_POINTERS*)
{
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Posts a forged move with this address, then has a real key pressed and released; true when
// the hook thread reported the key (it handles its messages in order: the key comes after).
bool ForgeMoveThenPressKey(HWND hookWindow, uintptr_t address)
{
    const unsigned keysBefore = gKeyEvents;
    if (!PostMessageW(hookWindow, HookEventMessage, WM_MOUSEMOVE, static_cast<LPARAM>(address))) return false;
    SendKey('Q', true);
    SendKey('Q', false);
    return WaitUntil([keysBefore] { return gKeyEvents >= keysBefore + 2; }, DeadlineMs);
}

}  // namespace

TEST(HookThreadForgedMove, AMoveOutsideTheMouseModuleGivesNoRecordAndTheThreadGoesOn)
{
    EnterFreshWorkingFolder();
    ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
    ReceiverThread receiver = {};
    ASSERT_TRUE(StartReceiverThread(L"TandrelForgedMoveTest", ReceiverProc, receiver));
    ASSERT_FALSE(DistFolder().empty()) << "TANDREL_DIST_DIR is not set";
    ASSERT_TRUE(SetDllDirectoryW(DistFolder().c_str()));
    LoadHookModules();
    const InstalledHooks installed = StartHookThread(receiver.window);
    ASSERT_TRUE(installed.keyboard && installed.mouse);
    const HWND hookWindow = HookThreadWindow();
    ASSERT_NE(nullptr, hookWindow);
    ASSERT_TRUE(StartRecording());
    SetReferenceTime(ReadMillisecondClock());

    // A readable address outside the module, which an unchecked thread would pass on.
    EXPECT_TRUE(ForgeMoveThenPressKey(hookWindow, reinterpret_cast<uintptr_t>(&ForgedPosition)));
    EXPECT_EQ(0u, gForgedMoves.load()) << "the forged position was passed on";
    // Addresses no one may read, which would end the thread.
    SetUnhandledExceptionFilter(EndAtOnce);
    for (const uintptr_t address : {uintptr_t{0}, uintptr_t{8}, uintptr_t{0x10000}, uintptr_t{0xFFFFFFF8u}}) {
        EXPECT_TRUE(ForgeMoveThenPressKey(hookWindow, address)) << "the hook thread no longer reports real input";
    }
    FinishReceiverThread(receiver);
    ASSERT_TRUE(StopRecording());
    StopHookThread();
    UnloadHookModules();
    SetDllDirectoryW(nullptr);
    LeaveWorkingFolder();
}
