// The window callback (see MainWindowCallback.h). Runs on the main thread, from the message
// loop (the hook thread announces the events it has timed and copied: docs/architecture.md, the
// way of an event), and re-entrantly from the loops of the dialogs it opens.
#include "app/MainWindowCallback.h"

#include "app/CommonExit.h"
#include "app/RunLog.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "core/ActivityState.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/UserTexts.h"
#include "hooks/EventWindow.h"
#include "hooks/HookEventRing.h"
#include "hooks/HookThread.h"
#include "library/LeftoverRecording.h"
#include "library/RecordingsList.h"
#include "playback/PlaybackEndToken.h"
#include "playback/PlaybackWorker.h"
#include "recording/Recorder.h"
#include "recording/SaveFlow.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/Tray.h"

namespace {

// While recording, the buffer goes to the file at least this often, so that a killed program
// loses at most the last second (Recorder.h).
constexpr UINT_PTR RecordingFlushTimer = 0x7A9;
constexpr UINT RecordingFlushMilliseconds = 500;

void StartRecordingByF9(const HookEvent& event)
{
    // A stopped worker ends within milliseconds of the stop; should it still be on its way
    // out, its release of held input must not fall into a new recording.
    if (IsPlaybackWorkerRunning()) return;
    // The F9 that cancels another copy's playback (a scheduled one, say) only cancels it.
    if (IsAnotherCopyPlaying()) return;
    // Never emptied without a word: what a kill, a crash or a refused name left there is kept.
    if (!KeepLeftoverRecording()) {
        MessageDialog(MessageTitle, LeftoverNotKeptWarning, StyleWarning);
        return;
    }
    if (!StartRecording()) {
        MessageBoxW(gMainWindow, RecordingNotStartedError, MessageTitle, StyleTaskError);
        return;
    }
    gActivityState.store(Recording);
    SetReferenceTime(event.time);
    SetTimer(gMainWindow, RecordingFlushTimer, RecordingFlushMilliseconds, nullptr);
    HideMainWindow();
    ChangeTrayIcon(TrayIconId, gActiveIcon);
}

// F9 during a recording, a write of the recording that failed, and input the hook thread could
// not keep: either way the recording ends and what reached the file is offered for naming,
// after the warning when something is missing.
void EndRecording(bool inputLost = false)
{
    gActivityState.store(Busy);
    KillTimer(gMainWindow, RecordingFlushTimer);
    ShowMainWindow();
    ChangeTrayIcon(TrayIconId, gIdleIcon);
    const bool written = StopRecording();
    if (!written || inputLost) MessageDialog(MessageTitle, RecordingIncompleteWarning, StyleWarning);
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

// The hook thread has stopped the playback at the user's F9 and set Busy (HookThread.h).
void OnPlaybackStoppedByF9()
{
    NoteRunEnd(RunEnd::Cancelled);
    // Waits for an injection under way: from here on the worker injects nothing.
    StopPlaybackWorker();
    const HWND userWindow = GetForegroundWindow();
    // Owned by the hidden main window, the notice would hand that window the focus as it closes.
    MessageBoxW(nullptr, PlaybackCancelledNotice, MessageTitle, StyleTaskNotice);
    if (gQuitAfterPlayback != 0) {
        // Unattended: the program ends now.
        PostMessageW(gMainWindow, WM_CLOSE, 0, 0);
    } else {
        ChangeTrayIcon(TrayIconId, gIdleIcon);
        // Always on top, but behind the application the user was in, which keeps the focus.
        ShowMainWindowInBackground();
    }
    GiveFocusBack(userWindow);
    gActivityState.store(Idle);
}

// The window records of the window a press goes to, when it is another than the last one's,
// then those of its control, when it has one and it is another than the last press's: window
// group, control group and press follow each other with nothing between them.
bool RecordWindowOf(const HookEvent& event)
{
    WindowIdentity window;
    if (!ReadHookEventWindow(event, window)) return true;
    if (!RecordEventWindow(event.windowSerial, window)) return false;
    ControlIdentity control = {};
    return RecordEventControl(ReadHookEventControl(event, control) ? event.controlSerial : 0, control);
}

void RecordInput(const HookEvent& event)
{
    if (!RecordWindowOf(event) || !RecordHookEventAt(event)) EndRecording();
}

void OnHookEvent(const HookEvent& event)
{
    int32_t state = gActivityState.load();
    // During a playback the hook thread takes F9 itself (OnPlaybackStoppedByF9).
    if (IsStopKeyPress(event)) {
        if (state == Idle)
            StartRecordingByF9(event);
        else if (state == Recording)
            EndRecording();
        return;
    }
    if (state == Recording) RecordInput(event);
}

// Events were lost (the main thread stalled while input came fast): a recording cannot go on
// as if nothing happened, so it ends with what it holds up to the gap. Outside a recording
// there is nothing to end; an F9 among the lost ones is pressed again.
void OnHookEventsLost()
{
    if (gActivityState.load() == Recording) EndRecording(true);
}

// The oldest event the hook thread has waiting; the message comes again for the next one.
void OnHookEventsWaiting()
{
    HookEvent event;
    if (!TakeHookEvent(event)) return;
    if (event.message == LostHookEventsMessage)
        OnHookEventsLost();
    else if (event.message == PlaybackStoppedByF9Message)
        OnPlaybackStoppedByF9();
    else
        OnHookEvent(event);
}

void OnFlushTimer()
{
    if (gActivityState.load() == Recording && !FlushRecording()) EndRecording();
}

void OnPlaybackEnded(WPARAM wParam, LPARAM lParam)
{
    // Anyone can post the message: only our worker's own end counts.
    if (!TakePlaybackEnd(wParam, lParam)) return;
    // After a stop at F9 (Busy until its notice is answered) the window comes back with the
    // answer, not here.
    if (gActivityState.load() == Busy || IsWindowVisible(gMainWindow)) return;
    ChangeTrayIcon(TrayIconId, gIdleIcon);
    // Always on top, but the focus stays in the application played into: its last keys may
    // still wait in its queue, and the system would drop them there (or hand them to our window,
    // where an Enter would press Play) were the focus taken from it now.
    ShowMainWindowInBackground();
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
    if (message == HookEventsWaitingMessage)
        OnHookEventsWaiting();
    else if (message == WM_TIMER && wParam == RecordingFlushTimer)
        OnFlushTimer();
    else if (message == PlaybackEndedMessage)
        OnPlaybackEnded(wParam, lParam);
    else if (message == WM_ENDSESSION)
        OnEndSession(wParam);
    else if (IsTaskbarCreatedMessage(message))
        AddTrayIconsAgain();
    return false;
}
