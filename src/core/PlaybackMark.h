// The program's one playback mark (HookProtocol.h): drawn by the playback worker, carried by
// everything it injects, and read by the hook modules through the address they are given.
#pragma once
#include "core/HookProtocol.h"

// Written by the playback worker (a fresh random mark at its start, 0 at its end) and by the
// hook procedures on the hook thread (their passed-on ticks); read by the injection on the
// worker, by the hook procedures, and by the hook thread's watchdog. Atomic fields: no lock.
extern PlaybackMark gPlaybackMark;
