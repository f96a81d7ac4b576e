// The schedule of waits within one pass of a playback. Each record is due at a fixed time
// after the end of the pass's pause: the sum of all delays up to and including it, divided
// by the Speed divisor. Waiting for that time rather than for each delay on its own keeps
// wait overshoot, injection time and division remainders from adding up over a recording.
#pragma once
#include <cstdint>

struct PlaybackSchedule {
    int64_t originMicroseconds;  // clock reading when the pass's pause ended
    int64_t delaySum;            // milliseconds: the delays so far, negative ones counted as 0
};

PlaybackSchedule StartPlaybackSchedule(int64_t originMicroseconds);
// Adds the next record's delay and answers how many microseconds remain from nowMicroseconds
// until that record is due; 0 when it is due already. A divisor below 1 counts as 1.
int64_t NextRecordWait(PlaybackSchedule& schedule, int32_t delay, int32_t speedDivisor, int64_t nowMicroseconds);
