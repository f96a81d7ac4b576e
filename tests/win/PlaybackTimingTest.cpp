// The real timing of playback under Wine: the worker thread's preparation makes it per-monitor
// DPI aware where the system can, waits never end early, and the clock runs in microseconds.
// Upper bounds are left generous on purpose: punctuality is measured by the benchmark.
#include <gtest/gtest.h>

#include <windows.h>

#include "playback/Injection.h"

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
