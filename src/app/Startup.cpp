// Start-up in its fixed order, then the event loop and shutdown.
#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/CommonExit.h"
#include "app/EventLoop.h"
#include "app/LeaveWithError.h"
#include "app/MainWindowCallback.h"
#include "app/RunLog.h"
#include "app/SingleInstance.h"
#include "app/UnattendedStart.h"
#include "core/Settings.h"
#include "core/UserTexts.h"
#include "hooks/HookModules.h"
#include "hooks/HookThread.h"
#include "library/RecordingsList.h"
#include "library/RecordsFolder.h"
#include "playback/HeldInputs.h"
#include "playback/Injection.h"
#include "ui/ApartmentWindowGuard.h"
#include "ui/IconData.h"
#include "ui/IconFromMemory.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/Tray.h"

HICON gIdleIcon = nullptr;
HICON gActiveIcon = nullptr;

namespace {

void ReadCommandLine()
{
    CommandLineSettings settings{gSpeedDivisor, gRepeatCount, gPlaybackPath};
    ReadCommandLineParameters(SplitCommandLine(GetCommandLineW()), &settings);
    gSpeedDivisor = settings.speedDivisor;
    gRepeatCount = settings.repeatCount;
    gPlaybackPath = settings.playbackPath;
}

// The hooks live on a thread of their own, so that the main thread's dialogs and disk writes
// never hold up the system's input.
void InstallHooks()
{
    LoadHookModules();
    SetPlaybackStop(SignalPlaybackStop);
    const InstalledHooks installed = StartHookThread(gMainWindow);
    if (!installed.keyboard) LeaveWithError(KeyboardHookFailedError, RunEnd::HookFailed);
    if (!installed.mouse) LeaveWithError(MouseHookFailedError, RunEnd::HookFailed);
}

}  // namespace

void RunProgram()
{
    // Before anything loads a module: none may come from the working directory or PATH.
    RestrictModuleSearch();
    // Before the first window, whose focus brings the input method's apartment window.
    GuardApartmentWindows();
    // The notification area shows them at the small icon size of the display scale.
    gIdleIcon = LoadIconFromMemoryAtSize(IdleIconData, TrayIconSize());
    gActiveIcon = LoadIconFromMemoryAtSize(ActiveIconData, TrayIconSize());
    CreateHeldInputList();
    gSpeedDivisor = 1;
    ReadCommandLine();

    bool interactive = gPlaybackPath.empty();
    // A second start by the user shows the window of the first, before it installs any hook.
    const HandOver handOver = interactive ? HandOverToRunningCopy() : HandOver::Claimed;
    if (handOver == HandOver::HandedOver) CommonExit();
    // No hook yet: no F9 can start anything under the box.
    if (handOver == HandOver::NoAnswer) MessageDialog(MessageTitle, RunningCopyNotAnsweringWarning, StyleWarning);
    if (!interactive) BeginRunLog();
    // Without its window the program could neither be reached by the hooks nor be closed.
    if (!OpenMainWindow(interactive)) LeaveWithError(MainWindowFailedError, RunEnd::StartFailed);
    if (interactive) PublishMainWindow(gMainWindow);
    if (interactive) RefreshRecordingsList();
    InstallMainWindowCallback(MainWindowCallback);

    InstallHooks();
    AddTrayIcon(TrayIconId, gMainWindow, gIdleIcon);
    SetTrayToolTip(TrayIconId, MessageTitle);
    EnsureRecordsFolder();
    if (!interactive) StartUnattendedPlayback();

    RunEventLoop();
    CommonExit();
}
