// The hook thread's ring of events for the main thread, and the one message on its way that
// announces them.
#include "hooks/HookEventRing.h"

#include <atomic>

#include "core/Messages.h"
#include "core/MillisecondClock.h"

namespace {

// Events the main thread has not taken yet. Far more than a thread's queue holds (10,000
// posted messages by default): only a main thread stalled for many seconds of fast mouse
// input fills it. Further events are then lost, and the main thread is told so where the gap
// is (LostHookEventsMessage). A power of two, so that the counters' wrap keeps the slots in
// step; a test build may make it smaller to fill it.
#ifndef TANDREL_HOOK_EVENT_SLOTS
#define TANDREL_HOOK_EVENT_SLOTS 65536
#endif
constexpr uint32_t HookEventSlots = TANDREL_HOOK_EVENT_SLOTS;
static_assert(HookEventSlots != 0 && (HookEventSlots & (HookEventSlots - 1)) == 0, "a power of two");

// Both counts only grow (modulo 2^32); their difference is what waits. gEventsAnnounced is true
// while a message that announces waiting events is on its way to gEventsWindow (the main
// window): the hook thread posts one when there is none, the main thread one for the rest each
// time it takes an event, so one is ever on its way and none is lost. Set afresh by
// ResetHookEventRing (main thread) before each hook thread runs.
HookEvent gEvents[HookEventSlots];
std::atomic<uint32_t> gEventsWritten{0};
std::atomic<uint32_t> gEventsTaken{0};
std::atomic<bool> gEventsAnnounced{false};
HWND gEventsWindow = nullptr;
// True once an event found the ring full: from then on the hook thread keeps no event, so that
// none after the gap passes for continuous, until the main thread has taken every event before
// the gap and, in place of the lost ones, LostHookEventsMessage (which clears it). Set by the
// hook thread, cleared by the main thread (and by ResetHookEventRing).
std::atomic<bool> gEventsLost{false};

void Announce()
{
    if (!gEventsAnnounced.exchange(true) && !PostMessageW(gEventsWindow, HookEventsWaitingMessage, 0, 0)) {
        gEventsAnnounced = false;  // a full queue: the next event tries again
    }
}

}  // namespace

void ResetHookEventRing(HWND window)
{
    gEventsWritten = 0;
    gEventsTaken = 0;
    gEventsAnnounced = false;
    gEventsLost = false;
    gEventsWindow = window;
}

void PassOnHookEvent(const HookEvent& event)
{
    const uint32_t written = gEventsWritten.load();
    if (gEventsLost.load() || written - gEventsTaken.load() == HookEventSlots) {
        gEventsLost = true;
        Announce();
        return;
    }
    gEvents[written % HookEventSlots] = event;
    gEventsWritten.store(written + 1);
    Announce();
}

bool TakeHookEvent(HookEvent& event)
{
    // The message that brought the main thread here has arrived. An event written before the
    // look below is taken or announced by it; one written after it finds the flag cleared.
    gEventsAnnounced = false;
    const uint32_t taken = gEventsTaken.load();
    const uint32_t written = gEventsWritten.load();
    if (written == taken) {
        // Every event before a gap is taken: now the word that events were lost there.
        if (!gEventsLost.exchange(false)) return false;
        event = {LostHookEventsMessage, 0, 0, 0, ReadMillisecondClock()};
        return true;
    }
    event = gEvents[taken % HookEventSlots];
    gEventsTaken.store(taken + 1);
    // The rest are announced before this one is handled: should it open a dialog, the
    // dialog's own loop takes them up, as it would posted messages.
    if (written != taken + 1 || gEventsLost.load()) Announce();
    return true;
}
