// The watchdog's decision on the system's ticks: ages instead of ticks, so that the wrap of
// the 32-bit tick never turns an old input into a new one.
#include "hooks/HookWatchdog.h"

#include <algorithm>

namespace {

uint32_t AgeOf(uint32_t tick, uint32_t now)
{
    const uint32_t age = now - tick;
    return age > UINT32_MAX - HookTickAheadMilliseconds ? 0 : age;
}

// The age of the latest tick after which input still needs a report.
uint32_t AccountedAge(const HookWatchTicks& ticks, uint32_t now)
{
    return std::min({AgeOf(ticks.keyboardReport, now), AgeOf(ticks.mouseReport, now), AgeOf(ticks.settled, now)});
}

bool IsUnreported(uint32_t inputAge, uint32_t accountedAge)
{
    return accountedAge > inputAge && accountedAge - inputAge > HookReportSlackMilliseconds;
}

}  // namespace

bool ShouldReinstallHooks(const HookWatchTicks& ticks, uint32_t now)
{
    const uint32_t accounted = AccountedAge(ticks, now);
    for (uint32_t input : {ticks.lastInput, ticks.lastInputBefore}) {
        const uint32_t age = AgeOf(input, now);
        if (age > HookReportGraceMilliseconds && IsUnreported(age, accounted)) return true;
    }
    return false;
}

uint32_t NextHookCheckDelay(const HookWatchTicks& ticks, uint32_t now)
{
    const uint32_t accounted = AccountedAge(ticks, now);
    uint32_t delay = HookCheckPeriodMilliseconds;
    for (uint32_t input : {ticks.lastInput, ticks.lastInputBefore}) {
        const uint32_t age = AgeOf(input, now);
        if (age <= HookReportGraceMilliseconds && IsUnreported(age, accounted)) {
            delay = std::min(delay, HookReportGraceMilliseconds - age + 1);
        }
    }
    return delay;
}
