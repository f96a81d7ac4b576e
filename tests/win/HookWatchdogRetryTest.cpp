// A re-install that fails is tried again at the hook thread's next check, once a check, until
// it succeeds; the program goes on meanwhile. The real hook thread runs against install
// functions of the test's own, whose results the test scripts.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>

#include "hooks/HookModules.h"
#include "hooks/HookThread.h"

namespace {

constexpr DWORD DeadlineMs = 10000;
constexpr unsigned MaxAttempts = 16;

// Written by the hook thread (the install functions run there), read by the test.
std::atomic<unsigned> gFailuresToCome{0};
std::atomic<unsigned> gAttempts{0};
DWORD gAttemptTicks[MaxAttempts];
std::atomic<unsigned> gRemovals{0};

}  // namespace

bool InstallKeyboardHook(HWND)
{
    const unsigned attempt = gAttempts.load();
    if (attempt < MaxAttempts) gAttemptTicks[attempt] = GetTickCount();
    gAttempts = attempt + 1;
    if (gFailuresToCome == 0) return true;
    --gFailuresToCome;
    return false;
}

bool InstallMouseHook(HWND)
{
    return true;
}

void RemoveHooks()
{
    ++gRemovals;
}

bool IsMovePositionAddress(uintptr_t)
{
    return false;
}

TEST(HookWatchdogRetry, AFailedReinstallIsTriedAgainAtEachCheckUntilItSucceeds)
{
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    const InstalledHooks installed = StartHookThread(window);
    ASSERT_TRUE(installed.keyboard && installed.mouse);
    ASSERT_EQ(1u, gAttempts.load());

    gFailuresToCome = 2;
    PostMessageW(HookThreadWindow(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    const DWORD start = GetTickCount();
    while (HookReinstallCount() == 0 && GetTickCount() - start < DeadlineMs) Sleep(10);

    EXPECT_EQ(1u, HookReinstallCount());
    ASSERT_EQ(4u, gAttempts.load()) << "the start, the resume's and two more";
    // The first retry comes with the next check after the resume, whenever that falls; the
    // second a whole check later: no retrying in a loop.
    EXPECT_GE(gAttemptTicks[3] - gAttemptTicks[2], 900u);
    EXPECT_GE(gRemovals.load(), 3u) << "each attempt removes what is left first";
    EXPECT_TRUE(StopHookThread());
    DestroyWindow(window);
}
