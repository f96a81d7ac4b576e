// The start of unattended mode: the recording named on the command line, played at once.
#include "app/UnattendedStart.h"

#include "app/LeaveWithError.h"
#include "app/RunLog.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "core/Settings.h"
#include "core/UserTexts.h"
#include "library/QueryFileSize.h"
#include "playback/PlaybackWorker.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

void StartUnattendedPlayback()
{
    if (QueryFileSize(gPlaybackPath) < 0) LeaveWithError(PlaybackFileMissingError, RunEnd::NotFound);
    ChangeTrayIcon(TrayIconId, gActiveIcon);
    gQuitAfterPlayback = 1;
    // Before the worker starts: its first key may be an F9 that another copy sees.
    MarkPlaying();
    if (!StartPlaybackWorker(gMainWindow)) LeaveWithError(PlaybackFailedError, RunEnd::StartFailed);
    // After the worker's start, which it so never delays.
    WriteRunLogStart();
}
