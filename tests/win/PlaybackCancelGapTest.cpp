// The cancel against a worker in full flight: the real worker plays zero-delay moves as fast as
// it can through a fake injection that only counts, and F9's cancel (Busy, then
// StopPlaybackWorker) comes at many random moments. Once the cancel has returned nothing more
// may be injected: a record whose state check came before the cancel and whose injection came
// after it would show here.
// Such a gap is a few instructions wide, and a cancel that merely runs beside the worker never
// fits into it: the whole cancel takes far longer than the worker takes from its check to its
// injection. On a user's machine the worker is preempted there now and then, and the cancel
// goes through meanwhile. So here the worker is held (SuspendThread) at a random point of its
// loop while the cancel runs, on a thread of its own since the worker may be held inside the
// lock the cancel waits for; after a few milliseconds the worker goes on either way.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/ActivityState.h"
#include "core/Settings.h"
#include "playback/HeldInputs.h"
#include "playback/Injection.h"
#include "playback/PlaybackWorker.h"
#include "recording/InputRecord.h"
#include "support/PlaybackStart.h"
#include "support/TempWorkingFolder.h"

namespace {

constexpr int Cancels = 2000;
constexpr int RecordsPerPass = 512;
constexpr DWORD DeadlineMs = 20000;
// How long the worker is held while the cancel runs: it has returned by then unless the worker
// is held inside the lock.
constexpr DWORD HoldMs = 5;

// Written by the worker in every injection; read by the test thread.
std::atomic<uint32_t> gInjections{0};
// Written by the test thread (the stop, its reset); read by the worker in every wait.
std::atomic<bool> gStopped{false};
// The worker's thread, written by it as it prepares (the fake PreparePlaybackThread); read by
// the test thread, which closes it.
std::atomic<HANDLE> gWorkerThread{nullptr};
// The canceller's requests and answers, and the count of injections as its cancel returned.
HANDLE gCancelRequested = nullptr;
HANDLE gCancelReturned = nullptr;
std::atomic<uint32_t> gInjectedAtCancel{0};

DWORD WINAPI Canceller(LPVOID)
{
    for (;;) {
        if (WaitForSingleObject(gCancelRequested, INFINITE) != WAIT_OBJECT_0) return 1;
        StopPlaybackWorker();
        gInjectedAtCancel.store(gInjections.load());
        SetEvent(gCancelReturned);
    }
}

void CountInjection()
{
    gInjections.fetch_add(1);
}

// Spins until the worker has injected `count` records; false when it does not within the deadline.
bool SpinUntilInjected(uint32_t count)
{
    const DWORD start = GetTickCount();
    while (gInjections.load() < count) {
        if (GetTickCount() - start > DeadlineMs) return false;
        YieldProcessor();
    }
    return true;
}

}  // namespace

// The seam of playback/Injection.h: every injection counted, every wait over at once unless stopped.
void InjectKey(uint8_t, bool)
{
    CountInjection();
}
void InjectMouseButton(uint32_t)
{
    CountInjection();
}
void InjectWheel(int32_t)
{
    CountInjection();
}
void InjectCursorMove(int32_t, int32_t)
{
    CountInjection();
}
void InjectXButton(int32_t, bool)
{
    CountInjection();
}
void InjectHorizontalWheel(int32_t)
{
    CountInjection();
}
void PreparePlaybackThread()
{
    HANDLE thread = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    gWorkerThread.store(thread);
}
bool PlaybackWait(int64_t)
{
    return !gStopped.load();
}
void SignalPlaybackStop()
{
    gStopped.store(true);
}
void ResetPlaybackStop()
{
    gStopped.store(false);
}
int64_t PlaybackClock()
{
    return 0;
}

TEST(PlaybackCancelGap, NothingIsInjectedAfterTheCancelHasReturned)
{
    EnterFreshWorkingFolder();
    // Moves hold nothing, so the worker's release at its end injects nothing either.
    gPlaybackPath =
        WriteRecordingFile(L"Moves.rec", std::vector<InputRecord>(RecordsPerPass, InputRecord{Move, 0, 0, 0, 10, 20}));
    CreateHeldInputList();
    gSpeedDivisor = 1;
    gRepeatCount = 1000000;  // the worker never ends by itself
    gQuitAfterPlayback = 0;

    const unsigned seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<uint32_t> injectedBeforeCancel(1, 2 * RecordsPerPass);
    std::uniform_int_distribution<int> spinsBeforeCancel(0, 400);
    gCancelRequested = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    gCancelReturned = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE canceller = CreateThread(nullptr, 0, Canceller, nullptr, 0, nullptr);
    ASSERT_NE(nullptr, canceller);
    int late = 0;
    int heldInside = 0;
    for (int i = 0; i < Cancels; ++i) {
        gActivityState.store(Idle);
        gInjections.store(0);
        gWorkerThread.store(nullptr);
        ASSERT_TRUE(StartPlaybackWorker(nullptr));
        ASSERT_TRUE(SpinUntilInjected(injectedBeforeCancel(random))) << "the worker stalled";
        // A random moment within the next few records: right after an injection, in a wait,
        // or between a record's state check and its injection.
        for (volatile int spin = spinsBeforeCancel(random); spin > 0;) spin = spin - 1;
        const HANDLE worker = gWorkerThread.load();
        ASSERT_NE(nullptr, worker);
        ASSERT_NE(static_cast<DWORD>(-1), SuspendThread(worker));
        CONTEXT context{};
        context.ContextFlags = CONTEXT_CONTROL;
        GetThreadContext(worker, &context);  // returns once the thread has indeed stopped
        int32_t expected = Playing;
        ASSERT_TRUE(gActivityState.compare_exchange_strong(expected, Busy));
        SetEvent(gCancelRequested);
        const bool returnedWhileHeld = WaitForSingleObject(gCancelReturned, HoldMs) == WAIT_OBJECT_0;
        ResumeThread(worker);
        if (!returnedWhileHeld) {
            ++heldInside;
            ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(gCancelReturned, DeadlineMs)) << "the cancel did not return";
        }
        ASSERT_TRUE(WaitForPlaybackWorkerEnd(DeadlineMs)) << "the worker did not end";
        CloseWorkerThreadHandles();
        CloseHandle(worker);
        if (gInjections.load() != gInjectedAtCancel.load()) ++late;
    }
    std::printf("%d of %d cancels waited for the worker held inside the lock\n", heldInside, Cancels);
    LeaveWorkingFolder();
    EXPECT_EQ(0, late) << "a record was injected after the cancel had returned, in " << late << " of " << Cancels
                       << " cancels";
}
