// The ring of events on their way from the hook thread to the main thread: one writer (the hook
// thread, which fills a slot and then counts it written), one reader (the main thread, which
// copies a slot and then counts it taken). So the hook thread never waits for the main thread,
// however long that leaves its queue unread (a dialog, a slow write), and each event keeps the
// time it happened at.
#pragma once
#include <windows.h>

#include "core/HookEvent.h"

// Main thread, before a hook thread starts: an empty ring whose events are announced to
// `window` (HookEventsWaitingMessage).
void ResetHookEventRing(HWND window);
// Hook thread: copies the event into the ring and, unless an earlier one still waits announced,
// tells the main window. A full ring loses it, and with it every event until the main thread
// has taken those before the gap (TakeHookEvent).
void PassOnHookEvent(const HookEvent& event);

// Main thread, on HookEventsWaitingMessage: takes the oldest event the hook thread has copied
// and timed; false when none waits. When more wait, the message comes again, once for each: one
// event per message, in the order they happened. Where events were lost (the ring was full), an
// event with LostHookEventsMessage comes after the last one kept, and no event from the gap on
// is handed over before it.
bool TakeHookEvent(HookEvent& event);
