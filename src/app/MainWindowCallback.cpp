// The window callback: what each hook notification, the end of a playback and the end of the
// session mean, by the Activity state. Runs on the main thread, from the message loop (the
// hook modules post their events), and re-entrantly from the loops of the dialogs it opens.
#include "app/MainWindowCallback.h"

#include "app/CommonExit.h"
#include "app/Startup.h"
#include "core/ActivityState.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/UserTexts.h"
#include "hooks/HookModules.h"
#include "library/RecordingsList.h"
#include "playback/PlaybackWorker.h"
#include "recording/Recorder.h"
#include "recording/SaveFlow.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/Tray.h"

namespace {

// True while the notice of a cancelled playback is open. The window comes back when it is
// answered, not when the stopped worker's end arrives meanwhile. Main thread only.
bool gCancelNoticeOpen = false;

bool IsF9Press(WPARAM wParam, LPARAM lParam)
{
    return (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN) && static_cast<uint32_t>(lParam) == VirtualKeyF9;
}

void StartRecordingByF9()
{
    // A stopped worker ends within milliseconds of the stop; should it still be on its way
    // out, its release of held input must not fall into a new recording.
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

// F9 during a recording, and a write of the recording that failed: either way the recording
// ends and what reached the file is offered for naming.
void EndRecording()
{
    gActivityState.store(Busy);
    ShowMainWindow();
    ChangeTrayIcon(TrayIconId, gIdleIcon);
    if (!StopRecording()) MessageDialog(MessageTitle, RecordingIncompleteWarning, StyleWarning);
    SaveRecording();
    RefreshRecordingsList();
    gActivityState.store(Idle);
}

// Hands the focus back to a window of another application that had it before one of our
// messages took it (we may: the user has just answered our message).
void GiveFocusBack(HWND window)
{
    DWORD process = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &process) == 0) return;
    if (process != GetCurrentProcessId()) SetForegroundWindow(window);
}

void CancelPlaybackByF9()
{
    // The worker may have ended in the meantime; then there is nothing left to cancel.
    int32_t expected = Playing;
    if (!gActivityState.compare_exchange_strong(expected, Busy)) return;
    // The worker ends within milliseconds, while the notice is still being opened.
    StopPlaybackWorker();
    const HWND userWindow = GetForegroundWindow();
    gCancelNoticeOpen = true;
    // Owned by the hidden main window, the notice would hand that window the focus as it closes.
    MessageBoxW(nullptr, PlaybackCancelledNotice, MessageTitle, StyleTaskNotice);
    gCancelNoticeOpen = false;
    // Unattended, the worker's end has asked the window to close: the program ends now.
    if (gQuitAfterPlayback == 0) {
        ChangeTrayIcon(TrayIconId, gIdleIcon);
        // Always on top, but behind the application the user was in, which keeps the focus.
        ShowMainWindowInBackground();
    }
    GiveFocusBack(userWindow);
    gActivityState.store(Idle);
}

void RecordInput(WPARAM wParam, LPARAM lParam)
{
    // A move's position is read through the address in the message. Anyone can post this
    // message; only an address in the mouse hook module's ring of positions is read.
    if (wParam == WM_MOUSEMOVE && !IsMovePositionAddress(static_cast<uintptr_t>(lParam))) return;
    if (!RecordHookEvent(static_cast<uintptr_t>(wParam), static_cast<intptr_t>(lParam))) EndRecording();
}

void OnHookEvent(WPARAM wParam, LPARAM lParam)
{
    int32_t state = gActivityState.load();
    if (IsF9Press(wParam, lParam) && state != Busy) {
        if (state == Idle)
            StartRecordingByF9();
        else if (state == Recording)
            EndRecording();
        else if (state == Playing)
            CancelPlaybackByF9();
        return;
    }
    if (state == Recording) RecordInput(wParam, lParam);
}

void OnPlaybackEnded()
{
    // After a cancel the window comes back with the answer to the notice, not here.
    if (gCancelNoticeOpen || IsWindowVisible(gMainWindow)) return;
    ChangeTrayIcon(TrayIconId, gIdleIcon);
    ShowMainWindow();
}

// Log-off or shut-down: the process may be ended as soon as this message returns, so the
// program leaves now, through the common exit (a playback stops and releases what it holds;
// a recording is written out and stays as TempRecord.rec).
void OnEndSession(WPARAM ending)
{
    if (ending != FALSE) CommonExit();
}

}  // namespace

bool MainWindowCallback(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == HookEventMessage)
        OnHookEvent(wParam, lParam);
    else if (message == PlaybackEndedMessage)
        OnPlaybackEnded();
    else if (message == WM_ENDSESSION)
        OnEndSession(wParam);
    else if (IsTaskbarCreatedMessage(message))
        AddTrayIconsAgain();
    return false;
}
