// Holding the Activity state at Busy while the rename dialog or the removal question is open.
#include "library/ActivityHold.h"

#include "core/ActivityState.h"

bool HoldActivityBusy()
{
    int32_t expected = Idle;
    return gActivityState.compare_exchange_strong(expected, Busy);
}

void ReleaseActivityBusy(bool held)
{
    if (!held) return;
    // Only our own Busy is given back; a state that someone else set meanwhile stays.
    int32_t expected = Busy;
    gActivityState.compare_exchange_strong(expected, Idle);
}
