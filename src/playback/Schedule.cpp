// The drift-free schedule of a pass: absolute due times from the running sum of delays.
#include "playback/Schedule.h"

namespace {

// Caps the running sum (some 73 million years) so the microsecond arithmetic cannot
// overflow, whatever a file holds.
constexpr int64_t MaxDelaySum = INT64_MAX / 4000;

}  // namespace

PlaybackSchedule StartPlaybackSchedule(int64_t originMicroseconds)
{
    return PlaybackSchedule{originMicroseconds, 0};
}

int64_t NextRecordWait(PlaybackSchedule& schedule, int32_t delay, int32_t speedDivisor, int64_t nowMicroseconds)
{
    // A negative delay would mean a record before its predecessor; it is played at once.
    if (delay > 0) {
        schedule.delaySum = schedule.delaySum > MaxDelaySum - delay ? MaxDelaySum : schedule.delaySum + delay;
    }
    const int64_t divisor = speedDivisor < 1 ? 1 : speedDivisor;
    const int64_t dueMicroseconds = schedule.originMicroseconds + schedule.delaySum / divisor * 1000;
    return dueMicroseconds > nowMicroseconds ? dueMicroseconds - nowMicroseconds : 0;
}
