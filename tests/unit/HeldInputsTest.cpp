// The Held-input list: what is released at the end of a pass, in which order, and what is not.
#include <gtest/gtest.h>

#include "playback/HeldInputs.h"
#include "playback/Injection.h"
#include "recording/InputRecord.h"
#include "support/PlaybackFakes.h"

using Texts = std::vector<std::string>;

namespace {

std::string Flags(uint32_t flags)
{
    return "button " + std::to_string(flags);
}

class HeldInputs : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateHeldInputList();
        gInjected.clear();
    }
    // The releases the list injects now (and empties itself).
    Texts Released()
    {
        gInjected.clear();
        ReleaseHeldInputs();
        return gInjected;
    }
};

}  // namespace

TEST_F(HeldInputs, APressAndItsReleaseLeaveNothing)
{
    AddHeldInput(Key, 0x41);
    RemoveHeldInput(Key, 0x41);
    AddHeldInput(Button, 514);
    RemoveHeldInput(Button, 514);
    EXPECT_EQ(Texts{}, Released());
}

TEST_F(HeldInputs, RepeatedPressesNeedOneReleaseEach)
{
    AddHeldInput(Key, 0x41);
    AddHeldInput(Key, 0x41);
    AddHeldInput(Key, 0x41);
    RemoveHeldInput(Key, 0x41);
    EXPECT_EQ((Texts{"key 65 up", "key 65 up"}), Released());
}

TEST_F(HeldInputs, RemovesOnlyTheOldestMatchAndReleasesOldestFirst)
{
    AddHeldInput(Key, 0x10);     // Shift
    AddHeldInput(Button, 517);   // right button
    AddHeldInput(Key, 0x11);     // Ctrl
    AddHeldInput(Key, 0x10);     // Shift again (a repeat)
    AddHeldInput(Button, 520);   // middle
    AddHeldInput(Button, 514);   // left
    RemoveHeldInput(Key, 0x10);  // the older Shift goes, the newer stays after Ctrl
    EXPECT_EQ((Texts{Flags(MouseRightUp), "key 17 up", "key 16 up", Flags(MouseMiddleUp), Flags(MouseLeftUp)}),
              Released());
}

TEST_F(HeldInputs, ARemoveMatchesKindAndTheWhole16BitCode)
{
    AddHeldInput(Key, 0x141);    // code with bits above the low byte
    AddHeldInput(Button, 0x41);  // same number, other kind
    RemoveHeldInput(Key, 0x41);  // neither matches
    RemoveHeldInput(Button, 514);
    RemoveHeldInput(Wheel, 0x141);
    // The key release carries only the low byte of the code; an unknown button code is
    // released as nothing.
    EXPECT_EQ((Texts{"key 65 up"}), Released());
}

TEST_F(HeldInputs, UnknownKindsAndButtonCodesReleaseNothing)
{
    AddHeldInput(Button, 513);  // a press number, not a release
    AddHeldInput(Move, 0);
    AddHeldInput(-1, 514);
    EXPECT_EQ(Texts{}, Released());
}

TEST_F(HeldInputs, ReleaseAndClearBothLeaveTheListEmpty)
{
    AddHeldInput(Key, 0x41);
    EXPECT_EQ((Texts{"key 65 up"}), Released());
    EXPECT_EQ(Texts{}, Released()) << "a second release finds nothing";

    AddHeldInput(Key, 0x42);
    AddHeldInput(Button, 514);
    ClearHeldInputs();
    EXPECT_EQ(Texts{}, gInjected) << "clearing injects nothing";
    EXPECT_EQ(Texts{}, Released());

    AddHeldInput(Key, 0x43);
    CreateHeldInputList();
    EXPECT_EQ(Texts{}, Released());
}

TEST_F(HeldInputs, AReleaseWithoutItsPressChangesNothing)
{
    RemoveHeldInput(Key, 0x78);  // the F9 release at the start of a recording
    AddHeldInput(Key, 0x42);
    RemoveHeldInput(Key, 0x78);
    EXPECT_EQ((Texts{"key 66 up"}), Released());
}
