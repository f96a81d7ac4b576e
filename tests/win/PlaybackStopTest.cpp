// The stop of a playback with the real waits: a stop ends a long wait at once and every later
// one until it is reset, and the real worker, stopped in the middle of a long delay, plays
// nothing more, releases what it holds and ends. Injection is faked and written down.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/ActivityState.h"
#include "core/Settings.h"
#include "playback/Injection.h"
#include "playback/PlaybackWorker.h"
#include "recording/InputRecord.h"
#include "support/PlaybackFakes.h"
#include "support/PlaybackStart.h"
#include "support/TempWorkingFolder.h"

namespace {

constexpr int64_t LongWaitMicroseconds = 20 * 1000 * 1000;
// Far below the long wait, far above what a busy machine needs to notice a stop.
constexpr int64_t NoticedWithinMicroseconds = 5 * 1000 * 1000;
constexpr DWORD DeadlineMs = 30000;

struct WaitOutcome {
    bool completed = true;
    int64_t tookMicroseconds = 0;
    HANDLE started = nullptr;
};

DWORD WINAPI WaitLong(LPVOID parameter)
{
    auto* outcome = static_cast<WaitOutcome*>(parameter);
    PreparePlaybackThread();
    SetEvent(outcome->started);
    const int64_t start = PlaybackClock();
    outcome->completed = PlaybackWait(LongWaitMicroseconds);
    outcome->tookMicroseconds = PlaybackClock() - start;
    return 0;
}

// Waits until the worker thread has ended, or the deadline has passed.
bool WorkerEndsWithinDeadline()
{
    return WaitForPlaybackWorkerEnd(DeadlineMs);
}

}  // namespace

TEST(PlaybackStop, AStopEndsARunningWaitAtOnceAndEveryLaterOneUntilReset)
{
    ResetPlaybackStop();
    WaitOutcome outcome;
    outcome.started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, WaitLong, &outcome, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(outcome.started, DeadlineMs));
    Sleep(100);  // most likely inside the wait by now; a stop before it must end it all the same
    SignalPlaybackStop();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, DeadlineMs)) << "the wait did not end";
    CloseHandle(thread);
    CloseHandle(outcome.started);
    EXPECT_FALSE(outcome.completed) << "a wait cut short says so";
    EXPECT_LT(outcome.tookMicroseconds, NoticedWithinMicroseconds);

    // Still stopped: later waits end at once, even those with nothing to wait.
    const int64_t start = PlaybackClock();
    EXPECT_FALSE(PlaybackWait(LongWaitMicroseconds));
    EXPECT_FALSE(PlaybackWait(0));
    EXPECT_LT(PlaybackClock() - start, NoticedWithinMicroseconds);

    // Reset: waits run their full time again.
    ResetPlaybackStop();
    const int64_t again = PlaybackClock();
    EXPECT_TRUE(PlaybackWait(30000));
    EXPECT_GE(PlaybackClock() - again, 30000);
    EXPECT_TRUE(PlaybackWait(0));
}

TEST(PlaybackStop, AStoppedWorkerPlaysNothingMoreReleasesWhatItHoldsAndEnds)
{
    EnterFreshWorkingFolder();
    ResetForPlayback();
    // A pressed, then a long pause, then a move: the pause is where the stop comes.
    gPlaybackPath =
        WriteRecordingFile(L"Pause.rec", {InputRecord{Key, 0x41, 1, 0, 0, 0}, InputRecord{Move, 0, 0, 20000, 777, 555},
                                          InputRecord{Key, 0x41, 0, 10, 0, 0}});
    // The press comes after the two seconds' pause; then the worker is in its long delay.
    HANDLE pressed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    gOnFakeEvent = [pressed](const std::string& what) {
        if (what == "key 65 down") SetEvent(pressed);
    };
    // No window: the final message goes to the worker's own queue and is dropped with it.
    ASSERT_TRUE(StartPlaybackWorker(nullptr));
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pressed, DeadlineMs)) << "the press never came";
    CloseHandle(pressed);
    // Still in the pause, not ended with its recording: the stop is what ends it.
    Sleep(200);
    ASSERT_TRUE(IsPlaybackWorkerRunning()) << "the worker ended before the stop";
    const int64_t stoppedAt = PlaybackClock();
    StopPlaybackWorker();
    ASSERT_TRUE(WorkerEndsWithinDeadline());
    const int64_t endedAfter = PlaybackClock() - stoppedAt;
    CloseWorkerThreadHandles();
    LeaveWorkingFolder();

    EXPECT_EQ((std::vector<std::string>{"key 65 down", "key 65 up"}), gInjected) << "released, and no move";
    EXPECT_LT(endedAfter, NoticedWithinMicroseconds);
    EXPECT_EQ(Idle, gActivityState.load()) << "a stop that is not a cancel leaves Playing, which the end makes Idle";
    std::printf("the worker ended %.1f ms after the stop\n", endedAfter / 1000.0);

    // The next worker is not stopped by the old stop.
    gActivityState.store(Idle);
    ResetPlaybackFakes();
    EnterFreshWorkingFolder();
    gPlaybackPath =
        WriteRecordingFile(L"Quick.rec", {InputRecord{Key, 0x42, 1, 5, 0, 0}, InputRecord{Key, 0x42, 0, 5, 0, 0}});
    ASSERT_TRUE(StartPlaybackWorker(nullptr));
    ASSERT_TRUE(WorkerEndsWithinDeadline());
    CloseWorkerThreadHandles();
    LeaveWorkingFolder();
    EXPECT_EQ((std::vector<std::string>{"key 66 down", "key 66 up"}), gInjected);
}
