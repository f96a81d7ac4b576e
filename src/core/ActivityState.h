// The Activity state: the one value that tells what the program is doing, shared by the
// main thread and the playback worker without a lock.
#pragma once
#include <atomic>
#include <cstdint>

enum ActivityStateValue : int32_t {
    Idle = 0,       // nothing runs
    Recording = 1,  // input events are written to Records\TempRecord.rec
    Playing = 2,    // the playback worker replays a recording
    Busy = 3,       // a dialog that followed an F9 press is open (or on its way); hook events are ignored
};

// Written by the main thread (MainWindowCallback: Recording, Busy, Idle; the rename and
// remove flows: Busy and back), by the playback worker (Playing at its start; Idle at its
// end, only if it still reads Playing) and by the hook thread (Busy from Playing at a user's
// F9, which stops the playback). Read by MainWindowCallback, by the worker before and after
// every wait, and by the hook thread's watchdog (a playback's own input needs no report).
extern std::atomic<int32_t> gActivityState;
