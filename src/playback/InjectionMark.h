// The playback's mark on its own input (gPlaybackMark): drawn from the system's random source
// when a playback starts, cleared when it ends, so that no other program can know it before
// and none can use it after.
#pragma once
#include <cstdint>

// Any thread: a number from the system's random source; false when there is none.
bool DrawSystemRandom(uintptr_t& value);

// Worker thread, before it injects anything: a fresh random mark, never 0. Without a random
// source the mark stays 0, and the playback's own input is reported like any other (the window
// callback ignores all of it but F9 while playing).
void StartInjectionMark();
// Worker thread, after its last injection: 0, so every input is reported again.
void EndInjectionMark();
