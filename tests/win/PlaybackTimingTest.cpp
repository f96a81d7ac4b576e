// The real timing of playback under Wine: the worker thread's preparation makes it per-monitor
// DPI aware where the system can, waits never end early whichever way they are made and never
// seconds late, a stop ends each way's wait, waits under Wine are made in the process itself,
// and the clock runs in microseconds. Bounds are sanity bounds that a busy machine keeps:
// punctuality, and the time the preparation saves the first key, are the benchmarks' to measure
// (bench/PlaybackTimingBench.cpp, bench/PlaybackSideBySide.py).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "playback/Injection.h"
#include "playback/PlaybackTiming.h"

namespace {

using GetContextFunction = void*(WINAPI*)();
using SetContextFunction = void*(WINAPI*)(void*);
using GetAwarenessFunction = int(WINAPI*)(void*);
constexpr int PerMonitorAwareness = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE

// The DPI awareness of the calling thread, or -1 where the system cannot tell.
int ThreadDpiAwareness()
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    FARPROC getContext = GetProcAddress(user32, "GetThreadDpiAwarenessContext");
    FARPROC getAwareness = GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext");
    if (getContext == nullptr || getAwareness == nullptr) {
        return -1;
    }
    auto context = reinterpret_cast<GetContextFunction>(reinterpret_cast<void*>(getContext))();
    return reinterpret_cast<GetAwarenessFunction>(reinterpret_cast<void*>(getAwareness))(context);
}

// Makes the calling thread DPI unaware first, so that the preparation has something to change.
void MakeThreadDpiUnaware()
{
    FARPROC setContext = GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext");
    if (setContext != nullptr) {
        reinterpret_cast<SetContextFunction>(reinterpret_cast<void*>(setContext))(
            reinterpret_cast<void*>(-1));  // DPI_AWARENESS_CONTEXT_UNAWARE
    }
}

DWORD WINAPI PrepareAndReport(LPVOID result)
{
    MakeThreadDpiUnaware();
    const int before = ThreadDpiAwareness();
    PreparePlaybackThread();
    static_cast<int*>(result)[0] = before;
    static_cast<int*>(result)[1] = ThreadDpiAwareness();
    return 0;
}

bool RunsUnderWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

template <typename Body>
DWORD WINAPI RunBody(LPVOID body)
{
    (*static_cast<Body*>(body))();
    return 0;
}

// Runs `body` on a thread of its own, as the worker runs, and waits for its end.
template <typename Body>
void OnFreshThread(Body body)
{
    HANDLE thread = CreateThread(nullptr, 0, RunBody<Body>, &body, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 120000));
    CloseHandle(thread);
}

DWORD WINAPI StopSoon(LPVOID)
{
    Sleep(300);
    SignalPlaybackStop();
    return 0;
}

}  // namespace

TEST(PlaybackTiming, PreparationMakesTheWorkerThreadPerMonitorDpiAware)
{
    int awareness[2] = {-1, -1};
    HANDLE thread = CreateThread(nullptr, 0, PrepareAndReport, awareness, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 20000));
    CloseHandle(thread);
    if (awareness[1] == -1) {
        GTEST_SKIP() << "this system has no per-thread DPI awareness";
    }
    ASSERT_EQ(0, awareness[0]) << "the thread could not be made unaware first";
    EXPECT_EQ(PerMonitorAwareness, awareness[1]);
}

TEST(PlaybackTiming, WaitsNeverEndEarlyAndTheClockCountsMicroseconds)
{
    PreparePlaybackThread();
    for (int64_t wanted : {300, 1000, 3500, 12000}) {
        const int64_t start = PlaybackClock();
        PlaybackWait(wanted);
        const int64_t waited = PlaybackClock() - start;
        EXPECT_GE(waited, wanted);
        EXPECT_LT(waited, wanted + 2000000) << "a wait that does not end";
    }
    // Nothing to wait: back at once (well within a second even on a busy machine).
    const int64_t start = PlaybackClock();
    PlaybackWait(0);
    PlaybackWait(-5000000);
    EXPECT_LT(PlaybackClock() - start, 1000000);

    // The clock against the tick count over a longer stretch: microseconds, not ticks.
    const DWORD ticksBefore = GetTickCount();
    const int64_t clockBefore = PlaybackClock();
    Sleep(200);
    const double ratio = static_cast<double>(PlaybackClock() - clockBefore) / (1000.0 * (GetTickCount() - ticksBefore));
    EXPECT_GT(ratio, 0.8);
    EXPECT_LT(ratio, 1.25);
}

TEST(PlaybackTiming, EveryWayOfWaitingWaitsItsTimeAndEndsAtAStop)
{
    for (PlaybackWaitMethod method : {PlaybackWaitMethod::InProcessSlices, PlaybackWaitMethod::DelayExecution,
                                      PlaybackWaitMethod::HighResolutionTimer, PlaybackWaitMethod::Sleep}) {
        PreferPlaybackWaitMethod(method);
        ResetPlaybackStop();
        PlaybackWaitMethod used = PlaybackWaitMethod::Sleep;
        std::vector<int64_t> late;
        OnFreshThread([&] {
            PreparePlaybackThread();
            used = PlaybackWaitMethodInUse();
            for (int64_t wanted : {300, 1000, 2500, 7300}) {
                const int64_t start = PlaybackClock();
                EXPECT_TRUE(PlaybackWait(wanted));
                const int64_t waited = PlaybackClock() - start;
                EXPECT_GE(waited, wanted) << static_cast<int>(used);
                EXPECT_LT(waited, wanted + 2000000) << static_cast<int>(used);
                late.push_back(waited - wanted);
            }
        });
        // A busy machine may hold up one wait, not most: three of the four end within 100 ms of
        // their time. (A last stretch given in the wrong unit waits a thousand times too long:
        // a second, within the bound above.)
        std::sort(late.begin(), late.end());
        ASSERT_EQ(4U, late.size());
        EXPECT_LT(late[2], 100000) << static_cast<int>(used) << ": late by " << late[0] << ", " << late[1] << ", "
                                   << late[2] << ", " << late[3] << " us";
        // A stop from another thread ends a long wait well before its time.
        HANDLE stopper = CreateThread(nullptr, 0, StopSoon, nullptr, 0, nullptr);
        ASSERT_NE(nullptr, stopper);
        int64_t took = 0;
        bool completed = true;
        OnFreshThread([&] {
            PreparePlaybackThread();
            const int64_t start = PlaybackClock();
            completed = PlaybackWait(30 * 1000 * 1000);
            took = PlaybackClock() - start;
        });
        WaitForSingleObject(stopper, 120000);
        CloseHandle(stopper);
        EXPECT_FALSE(completed) << static_cast<int>(used);
        EXPECT_LT(took, 10 * 1000 * 1000) << static_cast<int>(used);
    }
    UseFinestPlaybackWaitMethod();
    ResetPlaybackStop();
}

TEST(PlaybackTiming, UnderWineEveryWaitIsMadeInTheProcess)
{
    if (!RunsUnderWine()) GTEST_SKIP() << "only Wine waits in slices of NtDelayExecution";
    ResetPlaybackStop();
    UseFinestPlaybackWaitMethod();
    PlaybackWaitMethod used = PlaybackWaitMethod::Sleep;
    OnFreshThread([&] {
        PreparePlaybackThread();
        used = PlaybackWaitMethodInUse();
    });
    // The wine server's time-outs end a millisecond or more late; how much finer the slices
    // are is the benchmark's figure.
    EXPECT_EQ(PlaybackWaitMethod::InProcessSlices, used);
}
