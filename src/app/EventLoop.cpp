// The event loop: acts on the Play, Rename and Remove buttons until the window is asked to close.
#include "app/EventLoop.h"

#include "app/Startup.h"
#include "app/TextToInteger.h"
#include "core/Settings.h"
#include "library/RecordingNames.h"
#include "library/RemoveRecording.h"
#include "library/RenameRecording.h"
#include "playback/PlaybackWorker.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

namespace {

// The window is back only once the worker has posted its end (or, after a cancel, once the
// notice is answered, by when the stopped worker has long ended), so a worker that still runs
// here is in its last instructions; should StartPlaybackWorker refuse, the window comes back.
void OnPlayButton()
{
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
