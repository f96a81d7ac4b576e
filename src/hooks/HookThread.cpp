// The hook thread: installs the two low-level hooks, pumps its messages (the system calls
// the hook procedures from inside that pumping) until it is asked to end, and removes them.
//
// The hook procedures post their events to this thread's own hidden window, which notes when
// each hook last reported, reads the clock, copies the event (a move's position read from the
// module right there) into a ring and lets the main window know. So the thread knows what the
// hooks saw however long the main thread leaves its queue unread (a dialog, a slow write), a
// live hook is never taken for a dropped one, and each event keeps the time it happened at.
// Input a hook saw and does not report comes as HookAliveMessage: noted, and no further. Its watchdog (a
// timer, about once a second) compares that with the system's last input and installs the
// hooks again when the system has had input that neither hook reported (HookWatchdog.cpp);
// so do resume from sleep and the session's unlock, after which hooks are often gone. The
// window is top-level, though never shown: only top-level windows hear of power changes.
//
// While a playback runs, both hooks step out of the way of its input, and a hot key or raw input
// hears the user's F9 in their place (PlaybackInputPath.h).
//
// Nothing on this thread waits or takes long, so each hook call returns within the system's
// time-out however busy the main thread is. Only an event object that the program alone holds
// ends it, never a message: any program can list our threads and post to them by id, and a
// thread message has no window to tell ours from theirs. Whatever anyone posts to the thread
// or its window, or broadcasts, the window acts only on what it expects.
#include "hooks/HookThread.h"

#include <atomic>

#include "core/ActivityState.h"
#include "core/HookProtocol.h"
#include "core/HookThreadNudge.h"
#include "core/Messages.h"
#include "core/MillisecondClock.h"
#include "core/PlaybackMark.h"
#include "hooks/EventWindow.h"
#include "hooks/HookEventRing.h"
#include "hooks/HookModules.h"
#include "hooks/HookWatchdog.h"
#include "hooks/PlaybackInputPath.h"
#include "hooks/RawKeyboard.h"
#include "hooks/SessionNotifications.h"
#include "hooks/StopHotKey.h"

namespace {

// How long the main thread waits for the hook thread to end: it only has to return from its
// wait and remove two hooks.
constexpr DWORD HookThreadEndWaitMilliseconds = 5000;
constexpr UINT_PTR WatchdogTimer = 1;
constexpr wchar_t HookWindowClass[] = L"TandrelHookThread";

struct HookThreadStart {
    HWND window;            // where the hooks' events go on to
    HANDLE ready;           // set by the thread once it has tried to install both hooks
    HANDLE end;             // set by the main thread when the thread is to end; outlives it
    InstalledHooks result;  // written by the thread before it sets `ready`
    HWND hookWindow;        // the same: the thread's window, or null
};

// The running hook thread, its id and its window, or null and 0. Written by StartHookThread
// and StopHookThread on the main thread; read by StopHookThread and by tests.
HANDLE gHookThread = nullptr;
DWORD gHookThreadId = 0;
HWND gHookWindow = nullptr;
// The event that ends the running hook thread: unnamed and never handed out, so no other
// process can set it. Made by StartHookThread, set and closed by StopHookThread, main thread;
// the hook thread waits on it.
HANDLE gHookThreadEnd = nullptr;

// What the watchdog knows. Written and read on the hook thread only (by its window
// procedure); set afresh by each hook thread before it installs the hooks.
struct HookWatch {
    HookWatchTicks ticks;   // the hooks' last reports, the last install, the system's input
    bool playingBefore;     // a playback ran at the previous check
    bool reinstallPending;  // the last re-install failed: it is tried again at the next check
    UINT timerDelay;        // the watchdog timer's current period, 0 before it is set
    // The hooks' passed-on ticks of the playback's own input (gPlaybackMark) at the last check.
    uint32_t keyboardPassedOn;
    uint32_t mousePassedOn;
};
HookWatch gWatch = {};

// What stops a playback (SetPlaybackStop), or null. Written by the main thread (before it starts
// the hook thread; a test may change it while the thread runs); called on the hook thread.
std::atomic<void (*)()> gPlaybackStop{nullptr};

// Re-installs since the hook thread started. Reset by StartHookThread on the main thread
// before the thread starts; raised by the hook thread after it has installed the hooks again;
// read by tests.
std::atomic<unsigned> gReinstallCount{0};

bool IsKeyMessage(WPARAM message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

void NoteReport(bool keyboard)
{
    // The message's time: taken in the hook call, not whenever this thread got round to it.
    const auto posted = static_cast<uint32_t>(GetMessageTime());
    if (keyboard)
        gWatch.ticks.keyboardReport = posted;
    else
        gWatch.ticks.mouseReport = posted;
}

// An event for the main thread. A user's F9 during a playback stops it here and now: the state
// first, so that the worker injects nothing more and leaves the notice and the state to the main
// thread; then the event in the F9's place, announced before the stopped worker can post its end.
void PassOnInput(HookEvent event)
{
    int32_t playing = Playing;
    void (*const stop)() = gPlaybackStop.load();
    if (!IsStopKeyPress(event) || stop == nullptr || !gActivityState.compare_exchange_strong(playing, Busy)) {
        PassOnHookEvent(event);
        return;
    }
    event.message = PlaybackStoppedByF9Message;
    PassOnHookEvent(event);
    stop();
}

// A hook's event: noted, timed, copied and passed on. A move's position is read through the
// address the module posted, only when it lies in the module's ring of positions (anyone can
// post this message to this window, so only an input message the modules report is taken).
void OnHookEvent(WPARAM wParam, LPARAM lParam)
{
    if (!IsHookInputMessage(wParam)) return;
    const uint32_t now = ReadMillisecondClock();
    NoteReport(IsKeyMessage(wParam));
    if (IsKeyMessage(wParam) && IsSecondReportOfKey(true, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam),
                                                    static_cast<uint32_t>(GetMessageTime())))
        return;
    HookEvent event{static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam), 0, 0, now};
    if (wParam == WM_MOUSEMOVE) {
        if (!IsMovePositionAddress(static_cast<uintptr_t>(lParam))) return;
        const auto* position = reinterpret_cast<const POINT*>(lParam);
        event.value = 0;
        event.x = position->x;
        event.y = position->y;
    }
    NoteEventWindow(event);
    PassOnInput(event);
}

// Input a hook saw and does not report: its hook is alive. wParam 0 keyboard, 1 mouse.
void OnHookAlive(WPARAM hook)
{
    if (hook == 0 || hook == 1) NoteReport(hook == 0);
}

// A key from raw input: its hook is alive, however it goes on. The playback's own keys (its mark,
// while it is set) go no further; any other key is passed on as the hook would have.
void OnRawInput(LPARAM input)
{
    const uint32_t now = ReadMillisecondClock();
    RawKey key;
    if (!ReadRawKey(input, key)) return;
    const auto time = static_cast<uint32_t>(GetMessageTime());
    if (!IsRawKeyboardTime(time)) return;
    NoteReport(true);
    // However late the key is handled: the mark may have been cleared since it happened.
    if (IsPlaybacksOwnInput(key.extraInformation, time)) return;
    if (IsSecondReportOfKey(false, key.message, key.virtualKey, time)) return;
    PassOnInput(HookEvent{key.message, static_cast<int32_t>(key.virtualKey), 0, 0, now});
}

// F9 by the hot key: a press, whatever the modifiers (the hook, too, reports F9 alone).
void OnHotKey(WPARAM id)
{
    const uint32_t now = ReadMillisecondClock();
    if (!IsStopHotKey(id) || !IsStopHotKeyTime()) return;
    NoteReport(true);
    PassOnInput(HookEvent{WM_KEYDOWN, VK_F9, 0, 0, now});
}

// What holds after every install: input before it was never the hooks' to report, and the last
// move they reported is not to be trusted.
void NoteHooksInstalled()
{
    gWatch.ticks.settled = GetTickCount();
    ForgetLastMove();
}

// The hooks off while the state is Playing, back otherwise.
void FollowPlayback(HWND window)
{
    if (FollowPlaybackState(window)) NoteHooksInstalled();
}

void SetWatchdogTimer(HWND window, UINT delay)
{
    if (delay != gWatch.timerDelay && SetTimer(window, WatchdogTimer, delay, nullptr) != 0) gWatch.timerDelay = delay;
}

// Removes both hooks (one that the system dropped is gone already; removing it again fails
// harmlessly) and installs both again, each whatever became of the other; while they are off
// for a playback, its raw input is registered again instead. Should anything fail, the next
// check tries again; the program goes on meanwhile.
void ReinstallHooks(HWND window)
{
    RemoveHooks();
    const bool installed = InstallPlaybackInputPathAgain(window);
    gWatch.reinstallPending = !installed;
    if (!installed) return;
    NoteHooksInstalled();
    gReinstallCount.fetch_add(1);
}

// An event a hook passed on unreported because it carried the playback's mark was seen all
// the same: a tick that changed since the last check counts as that hook's report.
void NotePassedOn(const std::atomic<uint32_t>& passedOn, uint32_t& seen, uint32_t& report)
{
    const uint32_t tick = passedOn.load();
    if (tick == seen) return;
    seen = tick;
    if (static_cast<int32_t>(tick - report) > 0) report = tick;
}

void CheckHooks(HWND window)
{
    FollowPlayback(window);
    NotePassedOn(gPlaybackMark.keyboardPassedOn, gWatch.keyboardPassedOn, gWatch.ticks.keyboardReport);
    NotePassedOn(gPlaybackMark.mousePassedOn, gWatch.mousePassedOn, gWatch.ticks.mouseReport);
    LASTINPUTINFO input = {sizeof input, 0};
    // Without an answer nothing new is known: the input is what the previous check saw.
    gWatch.ticks.lastInput = GetLastInputInfo(&input) ? input.dwTime : gWatch.ticks.lastInputBefore;
    const uint32_t now = GetTickCount();
    // A playback's cursor placements count as the system's input but reach the hooks only on
    // some systems (its keys, buttons and wheel turns are noted above). What happens during a
    // playback, and up to the first check after it, needs no report.
    const bool playing = gActivityState.load() == Playing;
    if (playing || gWatch.playingBefore) gWatch.ticks.settled = now;
    gWatch.playingBefore = playing;
    if (gWatch.reinstallPending || ShouldReinstallHooks(gWatch.ticks, now)) ReinstallHooks(window);
    SetWatchdogTimer(window, NextHookCheckDelay(gWatch.ticks, now));
    gWatch.ticks.lastInputBefore = gWatch.ticks.lastInput;
}

void OnTimer(HWND window, WPARAM timer)
{
    if (timer == WatchdogTimer) CheckHooks(window);
}

void OnPowerBroadcast(HWND window, WPARAM event)
{
    if (event == PBT_APMRESUMEAUTOMATIC) ReinstallHooks(window);
}

void OnSessionChange(HWND window, WPARAM change)
{
    if (change == WTS_SESSION_UNLOCK) ReinstallHooks(window);
}

LRESULT CALLBACK HookWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case HookEventMessage: OnHookEvent(wParam, lParam); return 0;
    case HookAliveMessage: OnHookAlive(wParam); return 0;
    case HookThreadNudgeMessage: FollowPlayback(window); return 0;
    case WM_HOTKEY: OnHotKey(wParam); return 0;
    // The system frees the input's data in the default handling.
    case WM_INPUT: OnRawInput(lParam); return DefWindowProcW(window, message, wParam, lParam);
    case WM_TIMER: OnTimer(window, wParam); return 0;
    case WM_POWERBROADCAST: OnPowerBroadcast(window, wParam); return TRUE;
    case WM_WTSSESSION_CHANGE: OnSessionChange(window, wParam); return 0;
    // The window lives as long as its thread: a close request from outside closes nothing.
    case WM_CLOSE: return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND CreateHookWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HookWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = HookWindowClass;
    RegisterClassW(&windowClass);  // fails harmlessly when an earlier hook thread registered it
    return CreateWindowExW(WS_EX_TOOLWINDOW, HookWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

void StartWatching(HWND window)
{
    // Input before the hooks were installed was never theirs to report.
    const uint32_t now = GetTickCount();
    gWatch.ticks = {now, now, now, now, now};
    SetWatchdogTimer(window, HookCheckPeriodMilliseconds);
    StartSessionNotifications(window);
    // The window first: a playback that starts after the look below nudges it; one that
    // already runs has its input's way cleared at once.
    StartPlaybackInputPath();
    gHookThreadNudgeWindow.store(window);
    FollowPlayback(window);
}

void StopWatching(HWND window)
{
    gHookThreadNudgeWindow.store(nullptr);
    KillTimer(window, WatchdogTimer);
    StopSessionNotifications(window);
    StopPlaybackInputPath(window);
}

// Handles what the thread's queue holds (the system calls the hook procedures from inside this
// look). Messages to the thread itself (WM_QUIT among them) are taken off and ignored: the
// program never posts one, so each came from outside.
void PumpHookThreadMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.hwnd != nullptr) DispatchMessageW(&message);
    }
}

DWORD WINAPI HookThread(LPVOID parameter)
{
    auto* start = static_cast<HookThreadStart*>(parameter);
    // Little work, and all of it urgent: each hook call has the system's time-out, and each
    // event's time is read here. Where the system refuses a higher priority, normal does.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    const HANDLE end = start->end;
    gWatch = {};
    gWatch.keyboardPassedOn = gPlaybackMark.keyboardPassedOn.load();
    gWatch.mousePassedOn = gPlaybackMark.mousePassedOn.load();
    // The hooks' events come only through this window: without it no hook is installed, and
    // start-up reports the failed hook as for a missing module.
    const HWND hookWindow = CreateHookWindow();
    start->result.keyboard = hookWindow != nullptr && InstallKeyboardHook(hookWindow);
    start->result.mouse = start->result.keyboard && InstallMouseHook(hookWindow);
    // Hooks that could not be installed at the start are not watched: the program leaves.
    const bool watching = start->result.mouse;
    if (watching) StartWatching(hookWindow);
    start->hookWindow = hookWindow;
    SetEvent(start->ready);  // `start` belongs to the main thread from here on

    // Until the end event is set; a failed wait cannot go on either.
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &end, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke != WAIT_OBJECT_0 + 1) break;
        PumpHookThreadMessages();
    }
    if (watching) StopWatching(hookWindow);
    RemoveHooks();
    if (hookWindow != nullptr) DestroyWindow(hookWindow);
    return 0;
}

}  // namespace

void SetPlaybackStop(void (*stop)())
{
    gPlaybackStop.store(stop);
}

InstalledHooks StartHookThread(HWND window)
{
    if (!StopHookThread()) return {false, false};
    gHookThreadEnd = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HookThreadStart start{window, CreateEventW(nullptr, TRUE, FALSE, nullptr), gHookThreadEnd, {false, false}, nullptr};
    if (start.ready == nullptr || start.end == nullptr) {
        if (start.ready != nullptr) CloseHandle(start.ready);
        StopHookThread();  // closes the end event
        return {false, false};
    }
    gReinstallCount = 0;
    ResetHookEventRing(window);
    gHookThread = CreateThread(nullptr, 0, HookThread, &start, 0, &gHookThreadId);
    if (gHookThread != nullptr) {
        // The thread either reports or, should it somehow end first, has installed nothing
        // it still holds.
        const HANDLE either[2] = {start.ready, gHookThread};
        if (WaitForMultipleObjects(2, either, FALSE, INFINITE) == WAIT_OBJECT_0)
            gHookWindow = start.hookWindow;
        else
            start.result = {false, false};
    }
    CloseHandle(start.ready);
    return start.result;
}

bool StopHookThread()
{
    if (gHookThread == nullptr) {
        if (gHookThreadEnd != nullptr) CloseHandle(gHookThreadEnd);
        gHookThreadEnd = nullptr;
        return true;
    }
    SetEvent(gHookThreadEnd);
    const bool ended = WaitForSingleObject(gHookThread, HookThreadEndWaitMilliseconds) == WAIT_OBJECT_0;
    // A thread that has not ended still waits on the event: it stays open for it.
    if (ended) CloseHandle(gHookThreadEnd);
    gHookThreadEnd = nullptr;
    CloseHandle(gHookThread);
    gHookThread = nullptr;
    gHookThreadId = 0;
    gHookWindow = nullptr;
    return ended;
}

HWND HookThreadWindow()
{
    return gHookWindow;
}

unsigned HookReinstallCount()
{
    return gReinstallCount.load();
}
