// Program-wide playback settings. The main thread writes them only before it starts a
// playback worker (the window with the Play button is hidden while one runs); the worker
// reads them.
#pragma once
#include <cstdint>
#include <string>

// 1, or 2 to 10 from "/speed". Written at start-up (command line); read by the worker.
extern int32_t gSpeedDivisor;
// Passes after the first one. Written at start-up ("/repeats") and by the Play button
// (from the repeat-count field); read by the worker before every pass.
extern int32_t gRepeatCount;
// Nonzero when the program is to quit after the playback (unattended mode). Written at
// start-up; read by the worker at its end.
extern int32_t gQuitAfterPlayback;
// The recording to play. Written at start-up (command line) and by the Play button; read by
// start-up and by the worker at every pass.
extern std::wstring gPlaybackPath;
