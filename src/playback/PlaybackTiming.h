// How the playback worker's waits are made (PlaybackTiming.cpp), for the preparation of the
// worker thread, and for the benchmark and the tests that measure each method against the
// others. The program itself never prefers one: the worker takes the finest the system offers.
#pragma once

enum class PlaybackWaitMethod {
    // ntdll's NtDelayExecution in slices of at most a millisecond, waited in the process
    // itself, with the stop read between them and the last 0.1 ms watched on the clock: under
    // Wine.
    InProcessSlices,
    // The stop event's wait for whole milliseconds (through the wine server under Wine), then
    // the last 1 to 2 ms with NtDelayExecution: the former way under Wine, kept to compare.
    DelayExecution,
    // The high-resolution waitable timer and the stop event in one wait: on Windows 10 1803
    // and later.
    HighResolutionTimer,
    // The stop event's wait for all but the last 5 ms, which Sleep finishes in whole
    // milliseconds at a timer resolution of 1 ms: everywhere else.
    Sleep
};

// Worker thread, in its preparation: finds what the system offers (the first time) and sets
// the method of this worker's waits, which it returns.
PlaybackWaitMethod ChoosePlaybackWaitMethod();
// The method of the waits of the worker thread that has been prepared last (worker thread).
PlaybackWaitMethod PlaybackWaitMethodInUse();
// Main thread, before it starts a worker: from the next preparation on, waits use this method
// where the system offers it, and the system's finest one otherwise.
void PreferPlaybackWaitMethod(PlaybackWaitMethod method);
// Main thread, before it starts a worker: from the next preparation on, the finest again.
void UseFinestPlaybackWaitMethod();
