// The common exit: every way out of the program ends here, with exit code 0.
#include "app/CommonExit.h"

#include <windows.h>

#include "app/Startup.h"
#include "hooks/HookModules.h"
#include "playback/PlaybackWorker.h"
#include "recording/Recorder.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

namespace {

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
