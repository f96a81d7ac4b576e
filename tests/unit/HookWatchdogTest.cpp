// The watchdog's decision: input that neither hook reported brings the hooks back once it is
// more than a second old, reported input never does, and none of it is fooled by the wrap of
// the 32-bit tick.
#include <gtest/gtest.h>

#include <cstdint>

#include "hooks/HookWatchdog.h"

namespace {

struct Case {
    const char* what;
    HookWatchTicks ticks;  // lastInput, lastInputBefore, keyboardReport, mouseReport, settled
    uint32_t now;
    bool reinstall;
    uint32_t nextCheck;
};

constexpr uint32_t T = 5000000;     // somewhere in the tick's range
constexpr uint32_t W = 0xFFFFFC18;  // 1000 ms before the tick wraps to 0

const Case Cases[] = {
    // Reported input.
    {"the keyboard reported the last input", {T, T, T, T - 9000, T - 60000}, T + 3000, false, 1000},
    {"the mouse reported it", {T, T, T - 9000, T, T - 60000}, T + 3000, false, 1000},
    {"reported a little before the system's tick", {T, T, T - 250, T - 9000, T - 60000}, T + 3000, false, 1000},
    {"input before the hooks were installed", {T, T, T - 9000, T - 9000, T + 10}, T + 3000, false, 1000},
    {"no input since the system started", {0, 0, T - 9000, T - 9000, T - 5000}, T, false, 1000},
    {"reported input, then input too fresh to tell", {T + 2700, T, T, T, T}, T + 3000, false, 701},
    // Input that neither hook reported.
    {"unreported and more than a second old", {T, T, T - 251, T - 9000, T - 60000}, T + 1001, true, 1000},
    {"unreported, exactly a second old", {T, T, T - 9000, T - 9000, T - 60000}, T + 1000, false, 1},
    {"unreported, 300 ms old: look again when it is a second old",
     {T, T, T - 9000, T - 9000, T - 60000},
     T + 300,
     false,
     701},
    {"unreported input before more input too fresh to tell",
     {T + 990, T, T - 9000, T - 9000, T - 60000},
     T + 1001,
     true,
     990},
    {"unreported after the last install", {T, T, T - 9000, T - 9000, T - 500}, T + 2000, true, 1000},
    // Ticks across the wrap.
    {"unreported input before the wrap, judged after it", {W, W, W - 9000, W - 9000, W - 60000}, 200, true, 1000},
    {"input before the wrap reported after it", {W + 900, W + 900, 10, W - 9000, W - 60000}, 1500, false, 1000},
    {"unreported input after the wrap, reports before it", {50, 50, W - 9000, W - 9000, W - 60000}, 1200, true, 1000},
    {"unreported input after the wrap, still fresh", {50, 50, W - 9000, W - 9000, W - 60000}, 400, false, 651},
    // Clocks read a moment apart: a report stamped after now counts as now.
    {"a report 5 ms ahead of now", {T, T, T + 1505, T - 9000, T - 60000}, T + 1500, false, 1000},
};

TEST(HookWatchdog, ReinstallsOnlyForInputNeitherHookReportedWithinTheGrace)
{
    for (const Case& c : Cases) {
        EXPECT_EQ(c.reinstall, ShouldReinstallHooks(c.ticks, c.now)) << c.what;
        EXPECT_EQ(c.nextCheck, NextHookCheckDelay(c.ticks, c.now)) << c.what;
    }
}

TEST(HookWatchdog, AReinstallSettlesTheInputSoFar)
{
    // The check after a re-install sees the same unreported input, now older still.
    HookWatchTicks ticks = {T, T, T - 9000, T - 9000, T - 60000};
    ASSERT_TRUE(ShouldReinstallHooks(ticks, T + 1500));
    ticks.settled = T + 1500;
    EXPECT_FALSE(ShouldReinstallHooks(ticks, T + 2500));
    EXPECT_EQ(HookCheckPeriodMilliseconds, NextHookCheckDelay(ticks, T + 2500));
    // New input after it does need a report again.
    ticks.lastInputBefore = ticks.lastInput;
    ticks.lastInput = T + 3000;
    EXPECT_TRUE(ShouldReinstallHooks(ticks, T + 4100));
}

}  // namespace
