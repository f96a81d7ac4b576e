// The readiness decision of control-aware playback (see ControlReadiness.h).
#include "playback/ControlReadiness.h"

#include "playback/WindowPlacement.h"

namespace {

int64_t Longer(int64_t limit, int32_t recordedDelay)
{
    const int64_t recorded = static_cast<int64_t>(recordedDelay) * 1000;
    return recorded > limit ? recorded : limit;
}

ControlVerdict WaitOr(ControlVerdict giveUp, int64_t waited, int64_t limit)
{
    return waited >= limit ? giveUp : ControlVerdict::Wait;
}

}  // namespace

ControlVerdict DecideControlReadiness(const ControlChecks& checks, bool isKey, int64_t waitedMicroseconds,
                                      int32_t recordedDelay)
{
    if (!checks.inputDesktop)
        return WaitOr(ControlVerdict::SessionLocked, waitedMicroseconds,
                      Longer(SessionLockedWaitMicroseconds, recordedDelay));
    if (checks.higherRights) return ControlVerdict::HigherRights;
    if (!checks.answers)
        return WaitOr(ControlVerdict::NotAnswering, waitedMicroseconds,
                      Longer(NotAnsweringWaitMicroseconds, recordedDelay));
    if (!checks.controlReady || (isKey && !checks.focusInControl))
        return WaitOr(ControlVerdict::ControlMissing, waitedMicroseconds, WindowWaitLimitMicroseconds(recordedDelay));
    return ControlVerdict::Ready;
}
