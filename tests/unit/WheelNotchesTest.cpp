// Whole notches out of wheel deltas, as the mouse hook module takes them for both wheels.
#include <gtest/gtest.h>

#include "core/WheelNotches.h"

TEST(WheelNotches, SmallStepsAddUpPerDirectionAndATurnBackDropsTheRest)
{
    struct Turn {
        int delta;
        int notches;
    };
    const Turn turns[] = {
        {120, 1},  {-120, -1}, {360, 3}, {-240, -2}, {40, 0}, {40, 0},   {40, 1},  // small steps add up
        {-60, 0},  {-60, -1},                                                      // the same backward
        {180, 1},  {60, 1},                                                        // a remainder is kept
        {100, 0},  {-120, -1},  // a whole notch back at once drops the 100
        {20, 0},   {100, 1},    // so 20 + 100 make the next one
        {-100, 0}, {120, 1},   {-20, 0}, {-100, -1}, {0, 0},  {-119, 0}, {0, 0},  {-1, -1},  // no delta changes nothing
    };
    WheelRemainder remainder = {0, 0};
    for (const Turn& turn : turns) EXPECT_EQ(TakeWheelNotches(remainder, turn.delta), turn.notches) << turn.delta;
}
