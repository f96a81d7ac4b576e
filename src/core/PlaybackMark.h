// The program's one playback mark (HookProtocol.h): drawn by the playback worker, carried by
// everything it injects, and read by the hook modules through the address they are given.
#pragma once
#include "core/HookProtocol.h"

// Written by the playback worker (a fresh random mark at its start, 0 at its end) and by the
// hook procedures on the hook thread (their passed-on ticks); read by the injection on the
// worker, by the hook procedures, and by the hook thread's watchdog. Atomic fields: no lock.
extern PlaybackMark gPlaybackMark;

// The mark of the playback that ended last and the tick (GetTickCount) at which it ended. Raw
// input comes after the fact, and the hook thread may handle a key of the playback only after
// the worker has cleared the mark: a key that happened before that tick and carries that mark
// is still the playback's own. Written by the worker as it clears the mark; read by the hook
// thread.
struct EndedPlaybackMark {
    std::atomic<uintptr_t> mark;
    std::atomic<uint32_t> endTick;
};
extern EndedPlaybackMark gEndedPlaybackMark;

// Worker thread, after its last injection, with the tick it reads then: clears the mark, and
// keeps it with the tick as the ended playback's.
void EndPlaybackMark(uint32_t now);
// Hook thread: whether a key with this extra information, that happened at this tick, is the
// running playback's own, or the one's that ended after it happened.
bool IsPlaybacksOwnInput(uintptr_t extraInformation, uint32_t time);
