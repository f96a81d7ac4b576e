// The common exit: every way out of the program ends here, with exit code 0.
#include "app/CommonExit.h"

#include <windows.h>

#include "app/Startup.h"
#include "hooks/HookModules.h"
#include "playback/HeldInputs.h"
#include "playback/PlaybackWorker.h"
#include "recording/Recorder.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

namespace {

// A stopped worker ends within milliseconds; this covers an injection call that the system
// holds up (another program's slow hook, say) on a busy machine.
constexpr uint32_t WorkerEndWaitMilliseconds = 2000;

// No key or button the playback pressed may stay down once the process is gone.
void StopPlayback()
{
    StopPlaybackWorker();
    // The worker releases what it holds on its way out. One that has not ended by now is not
    // in one of its waits: it is in its error message (holding nothing) or in an injection
    // call that has not returned, and the process ends right after this.
    if (!WaitForPlaybackWorkerEnd(WorkerEndWaitMilliseconds)) ReleaseHeldInputs();
}

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
    StopPlayback();
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
