// What one hook notification means as an Input record, and the delay arithmetic of the
// millisecond clock. Pure logic: the recorder adds the clock and the file.
#pragma once
#include <cstdint>

#include "core/HookEvent.h"
#include "recording/InputRecord.h"

// Fills every field of the record except delay (left 0) from a hook event as the hook thread
// copied it (a move's position in x and y). False when the event makes no record (an input
// message the recorder does not know, an X button other than the two).
bool InputRecordFromHookEvent(const HookEvent& event, InputRecord& record);

// Milliseconds from earlier to later on a 32-bit clock; a wrap of the clock between the two
// readings still gives the small difference.
int32_t MillisecondsBetween(uint32_t earlier, uint32_t later);
