// The moment in which raw input and the hook both hear the keys (see PathOverlap.h).
#include "hooks/PathOverlap.h"

namespace {

bool WithinMoment(const PathOverlap& overlap, KeySource source, uint32_t time)
{
    const uint32_t slack = source == KeySource::Hook ? HookPostSlackTicks : 0;
    return static_cast<int32_t>(time - overlap.from) >= 0 && static_cast<int32_t>(time - (overlap.until + slack)) <= 0;
}

}  // namespace

void StartPathOverlap(PathOverlap& overlap, uint32_t from, uint32_t until)
{
    overlap = {};
    overlap.from = from;
    overlap.until = until;
}

bool TakeOverlapKey(PathOverlap& overlap, KeySource source, uint32_t message, uint32_t virtualKey, uint32_t time)
{
    if (!WithinMoment(overlap, source, time)) return true;
    for (OverlapKey& key : overlap.keys) {
        if (key.waiting && key.source != source && key.message == message && key.virtualKey == virtualKey) {
            key.waiting = false;
            return false;
        }
    }
    constexpr unsigned Slots = sizeof overlap.keys / sizeof overlap.keys[0];
    overlap.keys[overlap.next % Slots] = {message, virtualKey, source, true};
    ++overlap.next;
    return true;
}
