// The common exit: every way out of the program ends here, with exit code 0.
#include "app/CommonExit.h"

#include <windows.h>

#include "app/RunLog.h"
#include "app/Startup.h"
#include "hooks/HookModules.h"
#include "playback/PlaybackWorker.h"
#include "recording/Recorder.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

namespace {

// A stopped worker ends within milliseconds; this covers an injection call that the system
// holds up (another program's slow hook, say) on a busy machine.
constexpr uint32_t WorkerEndWaitMilliseconds = 2000;

void DestroyStatusIcons()
{
    if (gIdleIcon) DestroyIcon(gIdleIcon);
    if (gActiveIcon) DestroyIcon(gActiveIcon);
    gIdleIcon = nullptr;
    gActiveIcon = nullptr;
}

}  // namespace

void CommonExit()
{
    // No key or button the playback pressed may stay down once the process is gone.
    StopPlaybackForExit(WorkerEndWaitMilliseconds);
    // An unattended run's end line, now that the worker has ended or been given up on.
    EndRunLog();
    CloseWorkerThreadHandles();
    RemoveAllTrayIcons();
    // Removes the hooks before their modules go.
    UnloadHookModules();
    DestroyMainWindow();
    DestroyStatusIcons();
    // A recording still running when the program is closed keeps what it has recorded.
    if (IsRecordingFileOpen()) StopRecording();
    ExitProcess(0);
}
