// Start-up in its fixed order, then the event loop and shutdown.
#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/CommonExit.h"
#include "app/EventLoop.h"
#include "app/MainWindowCallback.h"
#include "app/Messages.h"
#include "app/Settings.h"
#include "hooks/HookModules.h"
#include "library/RecordsFolder.h"
#include "playback/HeldInputs.h"
#include "playback/PlaybackWorker.h"
#include "ui/Dialogs.h"
#include "ui/IconData.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

HICON gIdleIcon = nullptr;
HICON gActiveIcon = nullptr;

static void ReadCommandLine()
{
    CommandLineSettings settings{gSpeedDivisor, gRepeatCount, gPlaybackPath};
    ReadCommandLineParameters(SplitCommandLine(GetCommandLineW()), &settings);
    gSpeedDivisor = settings.speedDivisor;
    gRepeatCount = settings.repeatCount;
    gPlaybackPath = settings.playbackPath;
}

static void LeaveWithError(const wchar_t* text)
{
    MessageDialog(MessageTitle, text, StyleError);
    CommonExit();
}

static void InstallHooks()
{
    LoadHookModules();
    if (!InstallKeyboardHook(gMainWindow)) LeaveWithError(L"Der Tastatur-Hook konnte nicht installiert werden!");
    if (!InstallMouseHook(gMainWindow)) LeaveWithError(L"Der Maus-Hook konnte nicht installiert werden!");
}

static void StartUnattendedPlayback()
{
    if (QueryFileSize(gPlaybackPath) >= 0) {
        ChangeTrayIcon(TrayIconId, gActiveIcon);
        gQuitAfterPlayback = 1;
        StartPlaybackWorker(gMainWindow);
        return;
    }
    RemoveHooks();
    UnloadHookModules();
    LeaveWithError(L"Aufnahmedatei wurde nicht gefunden!");
}

void RunProgram()
{
    gIdleIcon = LoadIconFromMemory(IdleIconData);
    gActiveIcon = LoadIconFromMemory(ActiveIconData);
    CreateHeldInputList();
    gSpeedDivisor = 1;
    ReadCommandLine();

    bool interactive = gPlaybackPath.empty();
    // Without its window the program could neither be reached by the hooks nor be closed.
    if (!OpenMainWindow(interactive)) LeaveWithError(L"Das Hauptfenster konnte nicht geöffnet werden!");
    if (interactive) RefreshRecordingsList();
    InstallMainWindowCallback(MainWindowCallback);

    InstallHooks();
    AddTrayIcon(TrayIconId, gMainWindow, gIdleIcon);
    SetTrayToolTip(TrayIconId, MessageTitle);
    EnsureRecordsFolder();
    if (!interactive) StartUnattendedPlayback();

    RunEventLoop();

    RemoveHooks();
    UnloadHookModules();
    CommonExit();
}
