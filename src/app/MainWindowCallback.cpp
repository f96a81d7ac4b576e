// The window callback: what each hook notification and the end of a playback mean, by the
// Activity state. Runs on the main thread, from the message loop (the hook modules post their
// events), and re-entrantly from the loops of the dialogs it opens.
#include "app/MainWindowCallback.h"

#include "core/ActivityState.h"
#include "core/Messages.h"
#include "core/UserTexts.h"
#include "ui/MessageDialog.h"
#include "app/Startup.h"
#include "library/RecordingsList.h"
#include "playback/PlaybackWorker.h"
#include "recording/Recorder.h"
#include "recording/SaveFlow.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

namespace {

bool IsF9Press(WPARAM wParam, LPARAM lParam)
{
    return (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN) && static_cast<uint32_t>(lParam) == VirtualKeyF9;
}

void StartRecordingByF9()
{
    // A worker that was stopped may still be in its last wait; its late injection must not
    // fall into a new recording.
    if (IsPlaybackWorkerRunning()) return;
    if (!StartRecording()) {
        MessageBoxW(gMainWindow, RecordingNotStartedError, MessageTitle, StyleTaskError);
        return;
    }
    gActivityState.store(Recording);
    SetReferenceTimeToNow();
    HideMainWindow();
    ChangeTrayIcon(TrayIconId, gActiveIcon);
}

void StopRecordingByF9()
{
    gActivityState.store(Busy);
    ShowMainWindow();
    ChangeTrayIcon(TrayIconId, gIdleIcon);
    StopRecording();
    SaveRecording();
    RefreshRecordingsList();
    gActivityState.store(Idle);
}

void CancelPlaybackByF9()
{
    // The worker may have ended in the meantime; then there is nothing left to cancel.
    int32_t expected = Playing;
    if (!gActivityState.compare_exchange_strong(expected, Busy)) return;
    MessageBoxW(gMainWindow, PlaybackCancelledNotice, MessageTitle, StyleTaskNotice);
    gActivityState.store(Idle);
}

void OnHookEvent(WPARAM wParam, LPARAM lParam)
{
    int32_t state = gActivityState.load();
    if (IsF9Press(wParam, lParam) && state != Busy) {
        if (state == Idle)
            StartRecordingByF9();
        else if (state == Recording)
            StopRecordingByF9();
        else if (state == Playing)
            CancelPlaybackByF9();
        return;
    }
    if (state == Recording) RecordHookEvent(static_cast<uintptr_t>(wParam), static_cast<intptr_t>(lParam));
}

void OnPlaybackEnded()
{
    ChangeTrayIcon(TrayIconId, gIdleIcon);
    ShowMainWindow();
}

}  // namespace

bool MainWindowCallback(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == HookEventMessage)
        OnHookEvent(wParam, lParam);
    else if (message == PlaybackEndedMessage)
        OnPlaybackEnded();
    return false;
}
