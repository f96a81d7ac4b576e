// The playback worker: replays the recording at gPlaybackPath on a thread of its own, once
// and then gRepeatCount more times, each pass after a pause of two seconds, and releases
// whatever a pass leaves pressed. A stop (F9's cancel, a close request, the exit) ends its
// wait at once; it then injects nothing more, releases what it holds and ends.
#include "playback/PlaybackWorker.h"

#include <atomic>
#include <cstdint>

#include "core/ActivityState.h"
#include "core/HookThreadNudge.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "core/UserTexts.h"
#include "playback/HeldInputs.h"
#include "playback/InjectionMark.h"
#include "playback/PlaybackEndToken.h"
#include "playback/Injection.h"
#include "playback/PlayRecord.h"
#include "playback/RecordBuffer.h"
#include "playback/Schedule.h"
#include "playback/WindowFollow.h"
#include "ui/MessageDialog.h"

namespace {

constexpr int64_t PassPauseMicroseconds = 2000 * 1000;
constexpr int32_t LastPassNumber = INT32_MAX;
// How long the exit tries for the playback lock after the worker failed to end: the worker
// holds it only around one injection, so a lock still held by then is held by a call that
// the system does not return.
constexpr DWORD ExitLockWaitMilliseconds = 500;

// The playback lock. The worker holds it around each record's state check and injection,
// around each change of the Held-input list and each release it injects; the cancel takes it
// once after the state has become Busy, the exit to release the list. So the cancel goes on
// only when no injection is under way, and none starts after it; and the exit's release and
// the worker's never overlap. Static, so that it needs no start-up step.
SRWLOCK gPlaybackLock = SRWLOCK_INIT;
// Set by the exit when it releases the Held-input list itself; from then on the worker injects
// nothing and leaves the list alone. Written by the main thread (the exit; the main thread
// again before it starts a worker, when none runs); read by the worker under the lock, and
// by the exit.
std::atomic<bool> gInjectionClosed{false};
// How the last worker ended (a PlaybackEnd) and the passes it played to the end. Written by the
// worker (reset by the main thread before it starts one); read by the run log at the exit.
std::atomic<int32_t> gPlaybackEnd{static_cast<int32_t>(PlaybackEnd::Running)};
std::atomic<int32_t> gPlayedPasses{0};

// NotReady: a window or control the recording went to was not ready in time (WindowFollow's
// step says which way).
enum class PassEnd {
    Completed,
    Stopped,
    OpenFailed,
    NotReady
};

PlaybackEnd PlaybackEndOf(PassEnd end, WindowStep notReady)
{
    if (end == PassEnd::OpenFailed) return PlaybackEnd::Unreadable;
    if (end != PassEnd::NotReady) return PlaybackEnd::Stopped;
    switch (notReady) {
    case WindowStep::WindowMissing: return PlaybackEnd::WindowMissing;
    case WindowStep::ControlMissing: return PlaybackEnd::ControlMissing;
    case WindowStep::NotAnswering: return PlaybackEnd::NotAnswering;
    case WindowStep::SessionLocked: return PlaybackEnd::SessionLocked;
    case WindowStep::HigherRights: return PlaybackEnd::HigherRights;
    case WindowStep::Play:
    case WindowStep::Stopped: break;
    }
    return PlaybackEnd::Stopped;
}

bool IsStillPlaying()
{
    return gActivityState.load() == Playing;
}

// The record, if the playback is still on. The state is read and the record injected under the
// lock, so that a cancel comes either before the check or after the injection.
bool PlayIfStillPlaying(const InputRecord& record)
{
    AcquireSRWLockExclusive(&gPlaybackLock);
    const bool play = !gInjectionClosed.load() && IsStillPlaying();
    if (play) PlayInputRecord(record);
    ReleaseSRWLockExclusive(&gPlaybackLock);
    return play;
}

// One entry at a time, each under the lock: the exit, should it come meanwhile, finds the
// rest on the list and releases them itself.
void ReleaseHeldInputsOfWorker()
{
    for (;;) {
        AcquireSRWLockExclusive(&gPlaybackLock);
        HeldInput entry{};
        const bool taken = !gInjectionClosed.load() && TakeOldestHeldInput(entry);
        if (taken) ReleaseHeldInput(entry);
        ReleaseSRWLockExclusive(&gPlaybackLock);
        if (!taken) return;
    }
}

void ClearHeldInputsOfWorker()
{
    AcquireSRWLockExclusive(&gPlaybackLock);
    if (!gInjectionClosed.load()) ClearHeldInputs();
    ReleaseSRWLockExclusive(&gPlaybackLock);
}

bool ReadNextRecord(HANDLE file, RecordBuffer& buffer, InputRecord& record)
{
    while (!TakeRecord(buffer, record)) {
        uint32_t freeBytes = 0;
        uint8_t* space = RecordBufferFreeSpace(buffer, freeBytes);
        DWORD read = 0;
        if (!ReadFile(file, space, freeBytes, &read, nullptr) || read == 0) {
            return false;  // the end of the file; a piece shorter than a record is dropped
        }
        buffer.end += read;
    }
    return true;
}

// The recording at gPlaybackPath, for reading; INVALID_HANDLE_VALUE when it cannot be opened.
// Others may read the file meanwhile, but not change, rename or delete it.
HANDLE OpenRecording()
{
    HANDLE file = CreateFileW(gPlaybackPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    // A device under a recording's name (a serial port, the console) is no recording: its
    // read could wait for ever, and no stop would cut it short.
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// True when the recording presses F9 anywhere. Read once, as the playback starts; a file that
// cannot be read presses nothing (its pass reports it).
bool RecordingPressesStopKey()
{
    HANDLE file = OpenRecording();
    if (file == INVALID_HANDLE_VALUE) return false;
    RecordBuffer buffer;
    ResetRecordBuffer(buffer);
    InputRecord record{};
    bool presses = false;
    while (!presses && ReadNextRecord(file, buffer, record)) presses = PressesStopKey(record);
    CloseHandle(file);
    return presses;
}

// A wait of the pass; false when the playback has stopped meanwhile. The Activity state is
// read after the wait, since F9's cancel may have come while it ran.
bool WaitAndStillPlaying(int64_t microseconds)
{
    return PlaybackWait(microseconds) && IsStillPlaying();
}

// The records of one pass, each at its due time. A record whose wait a stop cut short, or
// after whose wait the state is no longer Playing, is not injected.
PassEnd PlayRecords(HANDLE file, WindowFollow& follow, WindowStep& notReady)
{
    // Before the schedule's origin: what it reads of the system must not hold up the first record.
    StartWindowFollow(follow);
    PlaybackSchedule schedule = StartPlaybackSchedule(PlaybackClock());
    InputRecord placement{};
    RecordBuffer buffer;
    ResetRecordBuffer(buffer);
    InputRecord record{};
    for (;;) {
        if (!ReadNextRecord(file, buffer, record)) {
            return PassEnd::Completed;
        }
        if (!PlaybackWait(NextRecordWait(schedule, record.delay, gSpeedDivisor, PlaybackClock()))) {
            return PassEnd::Stopped;
        }
        // The window the record goes to: waited for, and a Move placed relative to it.
        const WindowStep window = FollowWindow(follow, record, schedule);
        if (window != WindowStep::Play && window != WindowStep::Stopped) {
            notReady = window;
            return PassEnd::NotReady;
        }
        if (window == WindowStep::Stopped ||
            (TakeCursorPlacement(follow, placement) && !PlayIfStillPlaying(placement)) || !PlayIfStillPlaying(record)) {
            return PassEnd::Stopped;
        }
    }
}

PassEnd PlayOnePass(WindowStep& notReady)
{
    ClearHeldInputsOfWorker();
    HANDLE file = OpenRecording();
    if (file == INVALID_HANDLE_VALUE) {
        MessageDialog(MessageTitle, PlaybackFailedError, StyleError);
        return PassEnd::OpenFailed;
    }
    // A stop during the pause ends the pass before anything is injected.
    WindowFollow follow;
    const PassEnd end =
        WaitAndStillPlaying(PassPauseMicroseconds) ? PlayRecords(file, follow, notReady) : PassEnd::Stopped;
    CloseHandle(file);
    ReleaseHeldInputsOfWorker();
    if (end == PassEnd::NotReady) ShowNotReadyMessage(notReady, follow);
    return end;
}

void EndPlayback(HWND mainWindow)
{
    ReleaseHeldInputsOfWorker();
    EndInjectionMark();
    // Only Playing becomes Idle: after a stop at F9 the state is Busy until the main thread has
    // shown its notice, and it sets Idle itself (and, unattended, ends the program then).
    int32_t expected = Playing;
    const bool stoppedByF9 = !gActivityState.compare_exchange_strong(expected, Idle);
    if (gQuitAfterPlayback != 0 && !stoppedByF9)
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    else
        PostPlaybackEnded(mainWindow);
    // The hooks come back now, not at the hook thread's next check.
    NudgeHookThread();
}

}  // namespace

DWORD WINAPI PlaybackWorker(LPVOID mainWindow)
{
    gActivityState.store(Playing);
    // The hooks leave the way of the input within the pass's first pause, for a hot key that
    // hears F9 alone unless the recording presses F9 itself.
    gPlaybackPressesStopKey.store(RecordingPressesStopKey());
    NudgeHookThread();
    DrawPlaybackEndToken();
    StartInjectionMark();
    PreparePlaybackThread();
    PlaybackEnd end = PlaybackEnd::Played;
    // The Repeat count is read afresh before every pass; a negative one gives no pass.
    for (int32_t pass = 0; pass <= gRepeatCount; ++pass) {
        if (!IsStillPlaying()) {
            end = PlaybackEnd::Stopped;  // stopped between two passes
            break;
        }
        WindowStep notReady = WindowStep::Play;
        const PassEnd passEnd = PlayOnePass(notReady);
        if (passEnd != PassEnd::Completed) {
            end = PlaybackEndOf(passEnd, notReady);
            break;
        }
        if (pass == LastPassNumber) break;  // the count would overflow
        gPlayedPasses.store(pass + 1);
    }
    // Before the final message, after which the run log and the tests read it.
    gPlaybackEnd.store(static_cast<int32_t>(end));
    EndPlayback(static_cast<HWND>(mainWindow));
    return 0;
}

namespace {

// Main thread only: the handle of the last worker thread started, null before the first
// start and after CloseWorkerThreadHandles. Read by IsPlaybackWorkerRunning.
HANDLE gWorkerThread = nullptr;

}  // namespace

bool IsPlaybackWorkerRunning()
{
    return gWorkerThread != nullptr && WaitForSingleObject(gWorkerThread, 0) == WAIT_TIMEOUT;
}

bool StartPlaybackWorker(HWND mainWindow)
{
    // Two workers would share the Held-input list and fight over the Activity state.
    if (IsPlaybackWorkerRunning()) {
        return false;
    }
    CloseWorkerThreadHandles();  // the previous worker has ended
    ResetPlaybackStop();         // the stop of the previous one must not end this one
    gInjectionClosed.store(false);
    gPlaybackEnd.store(static_cast<int32_t>(PlaybackEnd::Running));
    gPlayedPasses.store(0);
    gWorkerThread = CreateThread(nullptr, 0, PlaybackWorker, mainWindow, 0, nullptr);
    return gWorkerThread != nullptr;
}

void StopPlaybackWorker()
{
    SignalPlaybackStop();
    // Waits for an injection under way: once this returns, the worker injects no more records.
    AcquireSRWLockExclusive(&gPlaybackLock);
    ReleaseSRWLockExclusive(&gPlaybackLock);
}

void StopPlaybackForExit(uint32_t milliseconds)
{
    SignalPlaybackStop();
    // The worker releases what it holds on its way out.
    if (WaitForPlaybackWorkerEnd(milliseconds)) return;
    // It has not ended: it is in its error message (holding nothing) or in an injection call
    // that the system holds up, and the process ends right after this. Whatever it holds is
    // released here, and it injects nothing after that.
    const DWORD start = GetTickCount();
    bool locked = TryAcquireSRWLockExclusive(&gPlaybackLock) != FALSE;
    while (!locked && GetTickCount() - start < ExitLockWaitMilliseconds) {
        Sleep(1);
        locked = TryAcquireSRWLockExclusive(&gPlaybackLock) != FALSE;
    }
    gInjectionClosed.store(true);
    // Without the lock, its holder is inside that injection call: it changed the list before
    // the call, and after it, it finds the injection closed and touches the list no more.
    ReleaseHeldInputs();
    if (locked) ReleaseSRWLockExclusive(&gPlaybackLock);
}

bool WaitForPlaybackWorkerEnd(uint32_t milliseconds)
{
    return gWorkerThread == nullptr || WaitForSingleObject(gWorkerThread, milliseconds) != WAIT_TIMEOUT;
}

void CloseWorkerThreadHandles()
{
    if (gWorkerThread != nullptr) {
        CloseHandle(gWorkerThread);
        gWorkerThread = nullptr;
    }
}

PlaybackEnd LastPlaybackEnd()
{
    return static_cast<PlaybackEnd>(gPlaybackEnd.load());
}

int32_t PlayedPassCount()
{
    return gPlayedPasses.load();
}
