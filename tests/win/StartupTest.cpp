// Start-up against fakes of everything it calls: the module search is restricted before
// anything else, and a hook that cannot be installed ends the program with its message only
// after the hooks are down, so that no F9 starts a recording while the message is open.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "app/CommonExit.h"
#include "app/EventLoop.h"
#include "app/MainWindowCallback.h"
#include "app/RunLog.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/UnattendedStart.h"
#include "hooks/HookModules.h"
#include "hooks/HookThread.h"
#include "library/RecordingsList.h"
#include "library/RecordsFolder.h"
#include "playback/Injection.h"
#include "ui/IconFromMemory.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "support/ExpectedTexts.h"
#include "ui/Tray.h"

static std::vector<std::string> gLog;
static InstalledHooks gInstalled = {true, true};
static HandOver gHandOver = HandOver::Claimed;

HWND gMainWindow = nullptr;

void RestrictModuleSearch()
{
    gLog.push_back("RestrictModuleSearch");
}
void GuardApartmentWindows()
{
    gLog.push_back("GuardApartmentWindows");
}
HICON LoadIconFromMemoryAtSize(const unsigned char*, int)
{
    gLog.push_back("LoadIcon");
    return reinterpret_cast<HICON>(0x1C0);
}
int TrayIconSize()
{
    return 16;
}
HWND OpenMainWindow(bool)
{
    gLog.push_back("OpenMainWindow");
    gMainWindow = reinterpret_cast<HWND>(0x3A1D);
    return gMainWindow;
}
void RefreshRecordingsList()
{}
void InstallMainWindowCallback(MainWindowCallbackProc)
{}
bool MainWindowCallback(HWND, UINT, WPARAM, LPARAM)
{
    return false;
}
void LoadHookModules()
{
    gLog.push_back("LoadHookModules");
}
void SignalPlaybackStop()
{}
void SetPlaybackStop(void (*stop)())
{
    gLog.push_back(stop == SignalPlaybackStop ? "SetPlaybackStop" : "SetPlaybackStop other");
}
InstalledHooks StartHookThread(HWND)
{
    gLog.push_back("StartHookThread");
    return gInstalled;
}
void UnloadHookModules()
{
    gLog.push_back("UnloadHookModules");
}
bool AddTrayIcon(UINT, HWND, HICON)
{
    gLog.push_back("AddTrayIcon");
    return true;
}
bool SetTrayToolTip(UINT, const wchar_t*)
{
    return true;
}
void EnsureRecordsFolder()
{}
void StartUnattendedPlayback()
{
    gLog.push_back("StartUnattendedPlayback");
}
void RunEventLoop()
{
    gLog.push_back("RunEventLoop");
}
int MessageDialog(const wchar_t*, const wchar_t* text, unsigned style)
{
    const std::wstring said = text;
    gLog.push_back("MessageDialog " + std::to_string(style) +
                   (said == L"Der Tastatur-Hook konnte nicht installiert werden!" ? " keyboard"
                    : said == L"Der Maus-Hook konnte nicht installiert werden!"   ? " mouse"
                    : said == expected::RunningCopyNotAnsweringWarning            ? " not-answering"
                                                                                  : " other"));
    return IDOK;
}
HandOver HandOverToRunningCopy()
{
    return gHandOver;
}
void PublishMainWindow(HWND)
{}
void BeginRunLog()
{}
void NoteRunEnd(RunEnd end)
{
    gLog.push_back("NoteRunEnd " + std::string(RunEndWord(end)));
}
// Thrown by the fake common exit, which must not return.
struct LeftThroughCommonExit {};
void CommonExit()
{
    gLog.push_back("CommonExit");
    throw LeftThroughCommonExit{};
}

namespace {

using Log = std::vector<std::string>;

Log Started(InstalledHooks installed)
{
    gLog.clear();
    gInstalled = installed;
    EXPECT_THROW(RunProgram(), LeftThroughCommonExit);
    return gLog;
}

}  // namespace

TEST(Startup, AMissingHookIsReportedOnlyOnceTheHooksAreDown)
{
    const Log head = {"RestrictModuleSearch", "GuardApartmentWindows", "LoadIcon",        "LoadIcon",
                      "OpenMainWindow",       "LoadHookModules",       "SetPlaybackStop", "StartHookThread"};
    Log expected = head;
    expected.insert(expected.end(),
                    {"NoteRunEnd hook-failed", "UnloadHookModules", "MessageDialog 16 mouse", "CommonExit"});
    EXPECT_EQ(expected, Started({true, false})) << "the keyboard hook stays live under the mouse's message";

    expected = head;
    expected.insert(expected.end(),
                    {"NoteRunEnd hook-failed", "UnloadHookModules", "MessageDialog 16 keyboard", "CommonExit"});
    EXPECT_EQ(expected, Started({false, false}));

    expected = head;
    expected.insert(expected.end(), {"AddTrayIcon", "RunEventLoop", "CommonExit"});
    EXPECT_EQ(expected, Started({true, true}));
}

TEST(Startup, ASecondStartHandsOverOrSaysThatTheRunningCopyDoesNotAnswerAndStarts)
{
    gHandOver = HandOver::HandedOver;
    EXPECT_EQ((Log{"RestrictModuleSearch", "GuardApartmentWindows", "LoadIcon", "LoadIcon", "CommonExit"}),
              Started({true, true}));
    gHandOver = HandOver::NoAnswer;
    EXPECT_EQ((Log{"RestrictModuleSearch", "GuardApartmentWindows", "LoadIcon", "LoadIcon",
                   "MessageDialog 48 not-answering", "OpenMainWindow", "LoadHookModules", "SetPlaybackStop",
                   "StartHookThread", "AddTrayIcon", "RunEventLoop", "CommonExit"}),
              Started({true, true}));
    gHandOver = HandOver::Claimed;
}
