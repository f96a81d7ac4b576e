// The Held-input list: what is released at the end of a pass, in which order, and what is not.
#include <gtest/gtest.h>

#include "core/Messages.h"
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

TEST_F(HeldInputs, EachXButtonIsHeldUnderWhichOneItIs)
{
    AddHeldInput(Button, XButtonUpMessage, XButton2);
    AddHeldInput(Key, 0x41);
    AddHeldInput(Button, XButtonUpMessage, XButton1);
    AddHeldInput(Button, XButtonUpMessage, XButton2);
    RemoveHeldInput(Button, XButtonUpMessage, XButton2);  // the older press of the forward button
    RemoveHeldInput(Button, XButtonUpMessage, 3);         // no such button: nothing
    AddHeldInput(Button, XButtonUpMessage, 0);            // nor here
    EXPECT_EQ((Texts{"key 65 up", "xbutton 1 up", "xbutton 2 up"}), Released());
}

namespace {

// The list as it has always behaved: every press an entry of its own, a release takes the
// oldest entry of its key, the releases go oldest first.
struct PlainEntry {
    int8_t kind;
    int16_t code;
};

std::string PlainRelease(const PlainEntry& entry)
{
    return entry.kind == Key ? "key " + std::to_string(entry.code & 0xFF) + " up" : Flags(MouseLeftUp);
}

}  // namespace

TEST_F(HeldInputs, ReleasesComeOutInTheOrderAndNumberOfAPlainListOfPresses)
{
    // A long deterministic mix of presses and releases of a few keys and the left button, now
    // and then released at the end of a pass, against the plain list.
    std::vector<PlainEntry> plain;
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % below;
    };
    for (int step = 0; step < 20000; ++step) {
        const uint32_t which = next(5);
        const PlainEntry entry = which == 4 ? PlainEntry{Button, 514} : PlainEntry{Key, int16_t(0x41 + which)};
        if (next(100) == 0) {
            Texts expected;
            for (const PlainEntry& e : plain) expected.push_back(PlainRelease(e));
            plain.clear();
            ASSERT_EQ(expected, Released()) << "at step " << step;
        } else if (next(2) == 0) {
            AddHeldInput(entry.kind, entry.code);
            plain.push_back(entry);
        } else {
            RemoveHeldInput(entry.kind, entry.code);
            for (auto it = plain.begin(); it != plain.end(); ++it) {
                if (it->kind == entry.kind && it->code == entry.code) {
                    plain.erase(it);
                    break;
                }
            }
        }
    }
    Texts expected;
    for (const PlainEntry& e : plain) expected.push_back(PlainRelease(e));
    EXPECT_EQ(expected, Released());
}

TEST_F(HeldInputs, SixtyThousandPressesAndReleasesOfAnotherKeyAreOneWalk)
{
    // A crafted recording: one key pressed 60,000 times, another released 60,000 times, then
    // the two interleaved. Each operation is one step, so this runs in milliseconds.
    for (int i = 0; i < 60000; ++i) AddHeldInput(Key, 0x41);
    for (int i = 0; i < 60000; ++i) RemoveHeldInput(Key, 0x42);
    for (int i = 0; i < 60000; ++i) {
        AddHeldInput(Key, 0x43);
        AddHeldInput(Key, 0x44);
        RemoveHeldInput(Key, 0x43);
    }
    const Texts released = Released();
    ASSERT_EQ(120000u, released.size());
    EXPECT_EQ(Texts(60000, "key 65 up"), Texts(released.begin(), released.begin() + 60000));
    EXPECT_EQ(Texts(60000, "key 68 up"), Texts(released.begin() + 60000, released.end()));
}
