// The event loop: acts on the Play, Rename and Remove buttons until the window is asked to close.
#include "app/EventLoop.h"

#include "core/Settings.h"
#include "app/Startup.h"
#include "app/TextToInteger.h"
#include "library/RemoveRecording.h"
#include "library/RenameRecording.h"
#include "library/RecordingNames.h"
#include "playback/PlaybackWorker.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

namespace {

// The window comes back when a worker posts its final message, a moment before that worker's
// thread has ended; a Play click in that moment waits for it instead of being lost.
bool WaitForFinishingWorker()
{
    for (int i = 0; i < 100 && IsPlaybackWorkerRunning(); ++i) Sleep(10);
    return !IsPlaybackWorkerRunning();
}

void OnPlayButton()
{
    if (!WaitForFinishingWorker()) return;
    HideMainWindow();
    ChangeTrayIcon(TrayIconId, gActiveIcon);
    gPlaybackPath = RecordingPath(SelectedRecordingName());
    gRepeatCount = static_cast<int32_t>(TextToInteger(RepeatCountText()));
    if (!StartPlaybackWorker(gMainWindow)) {
        ChangeTrayIcon(TrayIconId, gIdleIcon);
        ShowMainWindow();
    }
}

}  // namespace

void RunEventLoop()
{
    for (;;) {
        WindowEvent event = WaitWindowEvent();
        if (event.kind == WindowEventKind::CloseRequest) return;
        switch (event.gadget) {
        case PlayButton: OnPlayButton(); break;
        case RenameButton: RenameRecording(); break;
        case RemoveButton: RemoveRecording(); break;
        default: break;
        }
    }
}
