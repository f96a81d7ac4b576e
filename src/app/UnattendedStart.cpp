// The start of unattended mode: the recording named on the command line, played at once.
#include "app/UnattendedStart.h"

#include "app/CommonExit.h"
#include "app/Startup.h"
#include "core/Settings.h"
#include "core/UserTexts.h"
#include "hooks/HookModules.h"
#include "library/QueryFileSize.h"
#include "playback/PlaybackWorker.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/Tray.h"

namespace {

[[noreturn]] void LeaveWithError(const wchar_t* text)
{
    // No hook may report an F9 while the message is open: it would start a recording.
    UnloadHookModules();
    MessageDialog(MessageTitle, text, StyleError);
    CommonExit();
}

}  // namespace

void StartUnattendedPlayback()
{
    if (QueryFileSize(gPlaybackPath) < 0) LeaveWithError(PlaybackFileMissingError);
    ChangeTrayIcon(TrayIconId, gActiveIcon);
    gQuitAfterPlayback = 1;
    if (!StartPlaybackWorker(gMainWindow)) LeaveWithError(PlaybackFailedError);
}
