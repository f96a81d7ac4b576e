// The injection table: what one record injects and how it changes the Held-input list;
// and the extended-key rule of the real key injection.
#include <gtest/gtest.h>

#include "playback/ExtendedKeys.h"
#include "core/Messages.h"
#include "playback/HeldInputs.h"
#include "playback/Injection.h"
#include "playback/PlayRecord.h"
#include "support/PlaybackFakes.h"

using Texts = std::vector<std::string>;

namespace {

InputRecord Record(int8_t kind, int16_t code, int8_t down, int32_t x = 0, int32_t y = 0)
{
    return InputRecord{kind, code, down, 0, x, y};
}

std::string Flags(uint32_t flags)
{
    return "button " + std::to_string(flags);
}

class PlayRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateHeldInputList();
        gInjected.clear();
    }
    Texts Played(std::initializer_list<InputRecord> records)
    {
        gInjected.clear();
        for (const InputRecord& record : records) {
            PlayInputRecord(record);
        }
        return gInjected;
    }
    Texts ReleasedAtTheEnd()
    {
        gInjected.clear();
        ReleaseHeldInputs();
        return gInjected;
    }
};

}  // namespace

TEST_F(PlayRecord, KeysArePressedAndReleasedAndTracked)
{
    EXPECT_EQ((Texts{"key 65 down", "key 66 down", "key 65 up"}),
              Played({Record(Key, 0x41, 1), Record(Key, 0x42, 1), Record(Key, 0x41, 0)}));
    EXPECT_EQ((Texts{"key 66 up"}), ReleasedAtTheEnd());
}

TEST_F(PlayRecord, OnlyTheLowByteOfAKeyCodeIsInjectedButTheListKeepsAll16Bits)
{
    EXPECT_EQ((Texts{"key 165 down", "key 165 up"}), Played({Record(Key, 0x1A5, 1), Record(Key, 0xA5, 0)}));
    EXPECT_EQ((Texts{"key 165 up"}), ReleasedAtTheEnd()) << "0xA5 did not release 0x1A5";
}

TEST_F(PlayRecord, KeyRecordsWithAnyOtherDownValueDoNothing)
{
    EXPECT_EQ(Texts{}, Played({Record(Key, 0x41, 2), Record(Key, 0x41, -1)}));
    EXPECT_EQ(Texts{}, ReleasedAtTheEnd());
}

TEST_F(PlayRecord, EachButtonMessageInjectsItsFlagAndIsTrackedUnderItsRelease)
{
    EXPECT_EQ((Texts{Flags(MouseLeftDown), Flags(MouseRightDown), Flags(MouseMiddleDown)}),
              Played({Record(Button, 513, 0), Record(Button, 516, 0), Record(Button, 519, 0)}));
    EXPECT_EQ((Texts{Flags(MouseRightUp)}), Played({Record(Button, 517, 0)}));
    EXPECT_EQ((Texts{Flags(MouseLeftUp), Flags(MouseMiddleUp)}), ReleasedAtTheEnd());

    EXPECT_EQ((Texts{Flags(MouseLeftUp), Flags(MouseMiddleUp)}),
              Played({Record(Button, 514, 0), Record(Button, 520, 0)}));
    EXPECT_EQ(Texts{}, ReleasedAtTheEnd());
}

TEST_F(PlayRecord, UnknownButtonCodesAndKindsDoNothing)
{
    EXPECT_EQ(Texts{}, Played({Record(Button, 515, 0), Record(Button, 0, 1), Record(Button, -1, 0),
                               Record(5, 0x41, 1, 5, 5), Record(-1, 513, 1, 5, 5)}));
    EXPECT_EQ(Texts{}, ReleasedAtTheEnd());
}

TEST_F(PlayRecord, MovesTakeSignedScreenPositions)
{
    EXPECT_EQ((Texts{"move -1920,-5", "move 640,480"}),
              Played({Record(Move, 0, 0, -1920, -5), Record(Move, 7, 1, 640, 480)}));
    EXPECT_EQ(Texts{}, ReleasedAtTheEnd());
}

TEST_F(PlayRecord, WheelNotchesBecome120UnitsEach)
{
    EXPECT_EQ((Texts{"wheel 120", "wheel -240", "wheel 0"}),
              Played({Record(Wheel, 0, 0, 0, 1), Record(Wheel, 0, 0, 99, -2), Record(Wheel, 0, 0, 5, 0)}));
}

TEST(WheelData, WrapsLikeASigned32BitProductWithoutOverflowing)
{
    EXPECT_EQ(-120, WheelDataOfNotches(-1));
    EXPECT_EQ(2147483640, WheelDataOfNotches(17895697));   // the largest that fits
    EXPECT_EQ(-2147483536, WheelDataOfNotches(17895698));  // 2147483760 wraps
    EXPECT_EQ(-120, WheelDataOfNotches(INT32_MAX));        // (2^31 - 1) * 120 mod 2^32
    EXPECT_EQ(0, WheelDataOfNotches(INT32_MIN));           // 2^31 * 120 is a multiple of 2^32
}

TEST(ExtendedKeys, AreTheNavigationBlockRightModifiersDivideNumLockAndWindowsKeys)
{
    const uint8_t extended[] = {0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x2D,
                                0x2E, 0x5B, 0x5C, 0x5D, 0x6F, 0x90, 0xA3, 0xA5};
    for (uint8_t key : extended) {
        EXPECT_TRUE(IsExtendedVirtualKey(key)) << int(key);
    }
    int count = 0;
    for (int key = 0; key < 256; ++key) {
        count += IsExtendedVirtualKey(static_cast<uint8_t>(key)) ? 1 : 0;
    }
    EXPECT_EQ(17, count) << "no other key is extended";
    // Their left-hand and number-pad twins are not.
    for (uint8_t key : {0xA2, 0xA4, 0xA0, 0xA1, 0x64, 0x66, 0x0D, 0x41, 0x10, 0x11, 0x12}) {
        EXPECT_FALSE(IsExtendedVirtualKey(key)) << int(key);
    }
}

TEST_F(PlayRecord, XButtonsArePressedAndReleasedByWhichOneAndTracked)
{
    // The button is the record's y; down and x play no part.
    EXPECT_EQ(
        (Texts{"xbutton 1 down", "xbutton 2 down", "xbutton 1 up"}),
        Played({Record(Button, XButtonDownMessage, 0, 0, XButton1), Record(Button, XButtonDownMessage, 1, 7, XButton2),
                Record(Button, XButtonUpMessage, 0, 0, XButton1)}));
    EXPECT_EQ((Texts{"xbutton 2 up"}), ReleasedAtTheEnd());
    // Any other button number is an odd record, played as nothing and never held.
    EXPECT_EQ(Texts{}, Played({Record(Button, XButtonDownMessage, 0, 0, 0), Record(Button, XButtonDownMessage, 0, 0, 3),
                               Record(Button, XButtonUpMessage, 0, 0, -1)}));
    EXPECT_EQ(Texts{}, ReleasedAtTheEnd());
}

TEST_F(PlayRecord, HorizontalWheelNotchesBecome120UnitsEach)
{
    EXPECT_EQ(
        (Texts{"hwheel 120", "hwheel -360", "wheel 240"}),
        Played({Record(HorizontalWheel, 0, 0, 0, 1), Record(HorizontalWheel, 0, 0, 0, -3), Record(Wheel, 0, 0, 0, 2)}));
    EXPECT_EQ(Texts{}, ReleasedAtTheEnd());
}

TEST(StopKey, OnlyAnF9PressInAnyFormOfTheKeyCodeIsOne)
{
    EXPECT_TRUE(PressesStopKey(Record(Key, 0x78, 1)));
    EXPECT_TRUE(PressesStopKey(Record(Key, 0x178, 1)));  // the extended-key flag set apart
    EXPECT_FALSE(PressesStopKey(Record(Key, 0x78, 0)));
    EXPECT_FALSE(PressesStopKey(Record(Key, 0x78, 2)));  // plays as nothing
    EXPECT_FALSE(PressesStopKey(Record(Key, 0x79, 1)));
    EXPECT_FALSE(PressesStopKey(Record(Button, 0x78, 1)));
}
