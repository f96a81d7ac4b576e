// What each hook event becomes as an Input record, and the clock's delay arithmetic.
#include <gtest/gtest.h>

#include <cstring>

#include "recording/InputRecordFromHookEvent.h"

namespace {

// A record full of non-zero bytes, so a field the mapping forgets to clear shows up.
InputRecord Dirty()
{
    InputRecord record;
    std::memset(&record, 0x5A, sizeof record);
    return record;
}

void ExpectRecord(const InputRecord& r, int kind, int code, int down, int x, int y)
{
    // Copies: the packed fields cannot be bound to references.
    EXPECT_EQ(int{r.kind}, kind);
    EXPECT_EQ(int{r.code}, code);
    EXPECT_EQ(int{r.down}, down);
    EXPECT_EQ(int{r.delay}, 0);
    EXPECT_EQ(int{r.x}, x);
    EXPECT_EQ(int{r.y}, y);
}

// A key, button or wheel event as the hook thread copies it.
bool FromEvent(uintptr_t message, int32_t value, InputRecord& r)
{
    return InputRecordFromHookEvent(HookEvent{static_cast<uint32_t>(message), value, 0, 0, 0}, r);
}

}  // namespace

TEST(InputRecordFromHookEvent, KeyPressesAndReleasesPlainAndSystem)
{
    struct Case {
        uintptr_t message;
        int down;
    };
    for (Case c : {Case{0x100, 1}, Case{0x104, 1}, Case{0x101, 0}, Case{0x105, 0}}) {
        InputRecord r = Dirty();
        ASSERT_TRUE(FromEvent(c.message, 0x41, r));
        ExpectRecord(r, Key, 0x41, c.down, 0, 0);
    }
}

TEST(InputRecordFromHookEvent, KeyCodeIsTheLow16BitsOfLParam)
{
    InputRecord r = Dirty();
    ASSERT_TRUE(FromEvent(0x100, 0x7FFF0078, r));
    ExpectRecord(r, Key, 0x78, 1, 0, 0);
    ASSERT_TRUE(FromEvent(0x101, 0xFF, r));
    ExpectRecord(r, Key, 0xFF, 0, 0, 0);
}

TEST(InputRecordFromHookEvent, ButtonsCarryTheirMessageNumberAndNoPosition)
{
    for (uintptr_t message : {0x201u, 0x202u, 0x204u, 0x205u, 0x207u, 0x208u}) {
        InputRecord r = Dirty();
        ASSERT_TRUE(FromEvent(message, 12345, r)) << message;
        ExpectRecord(r, Button, static_cast<int>(message), 0, 0, 0);
    }
}

TEST(InputRecordFromHookEvent, WheelNotchesAreSigned)
{
    InputRecord r = Dirty();
    ASSERT_TRUE(FromEvent(0x20A, -1, r));
    ExpectRecord(r, Wheel, 0, 0, 0, -1);
    ASSERT_TRUE(FromEvent(0x20A, 3, r));
    ExpectRecord(r, Wheel, 0, 0, 0, 3);
}

TEST(InputRecordFromHookEvent, XButtonsAndTheHorizontalWheelAsTheHookThreadCopiedThem)
{
    InputRecord r = Dirty();
    ASSERT_TRUE(InputRecordFromHookEvent(HookEvent{0x20B, 1, 7, 8, 1234}, r));
    ExpectRecord(r, Button, 0x20B, 0, 0, 1);
    ASSERT_TRUE(InputRecordFromHookEvent(HookEvent{0x20C, 2, 0, 0, 0}, r));
    ExpectRecord(r, Button, 0x20C, 0, 0, 2);
    for (int32_t odd : {0, 3, -1, 0x10001}) {
        EXPECT_FALSE(InputRecordFromHookEvent(HookEvent{0x20B, odd, 0, 0, 0}, r)) << odd;
        EXPECT_FALSE(InputRecordFromHookEvent(HookEvent{0x20C, odd, 0, 0, 0}, r)) << odd;
    }
    ASSERT_TRUE(InputRecordFromHookEvent(HookEvent{0x20E, -3, 0, 0, 0}, r));
    ExpectRecord(r, HorizontalWheel, 0, 0, 0, -3);
    ASSERT_TRUE(FromEvent(0x20E, 2, r));
    ExpectRecord(r, HorizontalWheel, 0, 0, 0, 2);
    // A copied move carries its position itself, whatever the value says.
    ASSERT_TRUE(InputRecordFromHookEvent(HookEvent{0x200, 0x1000, -5, 700, 99}, r));
    ExpectRecord(r, Move, 0, 0, -5, 700);
}

TEST(InputRecordFromHookEvent, OtherMessagesMakeNoRecord)
{
    // Double clicks, an X button that is neither of the two, and things that are no input.
    for (uintptr_t message : {0x0u, 0x102u, 0x103u, 0x203u, 0x206u, 0x209u, 0x20Bu, 0x20Cu, 0x20Du, 0x6EEu}) {
        InputRecord r;
        EXPECT_FALSE(FromEvent(message, 0x78, r)) << message;
    }
}

TEST(MillisecondsBetween, CountsForwardAcrossAWrapOfTheClock)
{
    EXPECT_EQ(MillisecondsBetween(1000, 1095), 95);
    EXPECT_EQ(MillisecondsBetween(77, 77), 0);
    EXPECT_EQ(MillisecondsBetween(0xFFFFFFF0u, 0x10u), 0x20);
    EXPECT_EQ(MillisecondsBetween(0xFFFFFFFFu, 0u), 1);
    EXPECT_EQ(MillisecondsBetween(0x7FFFFFFFu, 0x80000010u), 0x11);
}
