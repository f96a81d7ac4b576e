// The moment in which raw input and the hook both hear the keys: each key of it goes on once,
// whichever source reports it first; keys outside it, and repeated presses, go on as ever.
#include <gtest/gtest.h>

#include "hooks/PathOverlap.h"

namespace {

constexpr uint32_t KeyDown = 0x100;
constexpr uint32_t KeyUp = 0x101;
constexpr uint32_t F9 = 0x78;
// Near the 32-bit wrap, so that the tick arithmetic is tested with it.
constexpr uint32_t From = 0xFFFFFFF0u;
constexpr uint32_t Until = From + 2;

PathOverlap Moment()
{
    PathOverlap overlap;
    StartPathOverlap(overlap, From, Until);
    return overlap;
}

}  // namespace

TEST(PathOverlap, AKeyOfTheMomentGoesOnOnceWhicheverSourceComesFirst)
{
    for (const KeySource first : {KeySource::RawInput, KeySource::Hook}) {
        const KeySource second = first == KeySource::RawInput ? KeySource::Hook : KeySource::RawInput;
        PathOverlap overlap = Moment();
        EXPECT_TRUE(TakeOverlapKey(overlap, first, KeyDown, F9, Until));
        // The hook's post comes a little later than the key.
        EXPECT_FALSE(TakeOverlapKey(overlap, second, KeyDown, F9, second == KeySource::Hook ? Until + 5 : Until));
        // The release is a key of its own, and comes once too.
        EXPECT_TRUE(TakeOverlapKey(overlap, first, KeyUp, F9, Until));
        EXPECT_FALSE(TakeOverlapKey(overlap, second, KeyUp, F9, Until));
        // A third report of the press is a press again.
        EXPECT_TRUE(TakeOverlapKey(overlap, second, KeyDown, F9, Until));
    }
}

TEST(PathOverlap, KeysOutsideTheMomentAndOtherKeysGoOn)
{
    PathOverlap overlap = Moment();
    // Raw input's keys before the moment, the hook's after it: neither was heard twice.
    EXPECT_TRUE(TakeOverlapKey(overlap, KeySource::RawInput, KeyDown, F9, From - 1));
    EXPECT_TRUE(TakeOverlapKey(overlap, KeySource::Hook, KeyDown, F9, Until + HookPostSlackTicks + 1));
    // One source's two reports of the same key are two presses (a repeat).
    EXPECT_TRUE(TakeOverlapKey(overlap, KeySource::Hook, KeyDown, 'A', From));
    EXPECT_TRUE(TakeOverlapKey(overlap, KeySource::Hook, KeyDown, 'A', Until));
    // Another key from the other source is no duplicate.
    EXPECT_TRUE(TakeOverlapKey(overlap, KeySource::RawInput, KeyDown, 'B', Until));
    // A new moment forgets the keys of the last one.
    StartPathOverlap(overlap, Until + 100, Until + 101);
    EXPECT_TRUE(TakeOverlapKey(overlap, KeySource::RawInput, KeyDown, 'A', Until + 100));
}
