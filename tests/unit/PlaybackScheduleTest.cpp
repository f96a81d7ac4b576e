// The schedule of waits: every record is due at the pass's origin plus the sum of the delays
// so far divided by the Speed divisor, so nothing adds up over a recording.
#include <gtest/gtest.h>

#include <vector>

#include "playback/Schedule.h"

namespace {

constexpr int64_t Origin = 5'000'000;

// The waits of a pass whose waits each end exactly on time.
std::vector<int64_t> PunctualWaits(std::initializer_list<int32_t> delays, int32_t divisor)
{
    PlaybackSchedule schedule = StartPlaybackSchedule(Origin);
    int64_t now = Origin;
    std::vector<int64_t> waits;
    for (int32_t delay : delays) {
        const int64_t wait = NextRecordWait(schedule, delay, divisor, now);
        waits.push_back(wait);
        now += wait;
    }
    return waits;
}

using Waits = std::vector<int64_t>;

}  // namespace

TEST(Schedule, ASingleRecordWaitsItsDelayDividedAndTruncated)
{
    EXPECT_EQ(Waits{7000}, PunctualWaits({15}, 2));
    EXPECT_EQ(Waits{33000}, PunctualWaits({100}, 3));
    EXPECT_EQ(Waits{0}, PunctualWaits({1}, 2));
    EXPECT_EQ(Waits{0}, PunctualWaits({0}, 1));
    EXPECT_EQ(Waits{250000}, PunctualWaits({250}, 1));
}

TEST(Schedule, RemaindersOfTheDivisionDoNotGetLost)
{
    // Ten delays of 5 ms at ten times the speed take 5 ms in all, not 0.
    const Waits waits = PunctualWaits({5, 5, 5, 5, 5, 5, 5, 5, 5, 5}, 10);
    EXPECT_EQ((Waits{0, 1000, 0, 1000, 0, 1000, 0, 1000, 0, 1000}), waits);
    // 15 + 15 at half speed: 7 ms, then the 8th and the rest of the 15th.
    EXPECT_EQ((Waits{7000, 8000}), PunctualWaits({15, 15}, 2));
}

TEST(Schedule, LateWakeUpsShortenTheNextWaitInsteadOfAddingUp)
{
    PlaybackSchedule schedule = StartPlaybackSchedule(Origin);
    EXPECT_EQ(10000, NextRecordWait(schedule, 10, 1, Origin));
    // That wait overslept by 1.7 ms and the injection took 0.3 ms: due at +20 ms, it is +12 ms.
    EXPECT_EQ(8000, NextRecordWait(schedule, 10, 1, Origin + 12000));
    // Far behind (the system stalled): everything already due is played at once...
    EXPECT_EQ(0, NextRecordWait(schedule, 10, 1, Origin + 45000));
    EXPECT_EQ(0, NextRecordWait(schedule, 10, 1, Origin + 45100));
    // ...and the schedule picks up where it should be, not 45 ms later.
    EXPECT_EQ(4900, NextRecordWait(schedule, 10, 1, Origin + 45100));
}

TEST(Schedule, NegativeDelaysWaitNothingAndPullNothingForward)
{
    EXPECT_EQ((Waits{10000, 0, 0, 5000}), PunctualWaits({10, -1, INT32_MIN, 5}, 1));
}

TEST(Schedule, ADivisorBelowOneCountsAsOne)
{
    EXPECT_EQ(Waits{15000}, PunctualWaits({15}, 0));
    EXPECT_EQ(Waits{15000}, PunctualWaits({15}, -3));
}

TEST(Schedule, HugeDelaysAddUpIn64BitsWithoutOverflow)
{
    PlaybackSchedule schedule = StartPlaybackSchedule(0);
    EXPECT_EQ(int64_t{INT32_MAX} * 1000, NextRecordWait(schedule, INT32_MAX, 1, 0));
    EXPECT_EQ(int64_t{INT32_MAX} * 2000, NextRecordWait(schedule, INT32_MAX, 1, 0));
    // A sum far beyond any real file still gives a positive wait (checked by the sanitizers).
    schedule.delaySum = INT64_MAX - 5;
    EXPECT_GT(NextRecordWait(schedule, INT32_MAX, 1, 0), 0);
    EXPECT_GT(NextRecordWait(schedule, INT32_MAX, 1, 0), 0);
}
