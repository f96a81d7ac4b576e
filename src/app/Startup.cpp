// Start-up in its fixed order, then the event loop and shutdown.
#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/CommonExit.h"
#include "app/EventLoop.h"
#include "app/MainWindowCallback.h"
#include "core/UserTexts.h"
#include "ui/MessageDialog.h"
#include "core/Settings.h"
#include "hooks/HookModules.h"
#include "library/QueryFileSize.h"
#include "library/RecordingsList.h"
#include "library/RecordsFolder.h"
#include "playback/HeldInputs.h"
#include "playback/PlaybackWorker.h"
#include "ui/IconData.h"
#include "ui/MainWindow.h"
#include "ui/IconFromMemory.h"
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

void LeaveWithError(const wchar_t* text)
{
    MessageDialog(MessageTitle, text, StyleError);
    CommonExit();
}

void InstallHooks()
{
    LoadHookModules();
    if (!InstallKeyboardHook(gMainWindow)) LeaveWithError(KeyboardHookFailedError);
    if (!InstallMouseHook(gMainWindow)) LeaveWithError(MouseHookFailedError);
}

void StartUnattendedPlayback()
{
    if (QueryFileSize(gPlaybackPath) >= 0) {
        ChangeTrayIcon(TrayIconId, gActiveIcon);
        gQuitAfterPlayback = 1;
        StartPlaybackWorker(gMainWindow);
        return;
    }
    // No hook may report an F9 while the message is open: it would start a recording.
    UnloadHookModules();
    LeaveWithError(PlaybackFileMissingError);
}

}  // namespace

void RunProgram()
{
    // The notification area shows them at the small icon size of the display scale.
    gIdleIcon = LoadIconFromMemoryAtSize(IdleIconData, TrayIconSize());
    gActiveIcon = LoadIconFromMemoryAtSize(ActiveIconData, TrayIconSize());
    CreateHeldInputList();
    gSpeedDivisor = 1;
    ReadCommandLine();

    bool interactive = gPlaybackPath.empty();
    // Without its window the program could neither be reached by the hooks nor be closed.
    if (!OpenMainWindow(interactive)) LeaveWithError(MainWindowFailedError);
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
