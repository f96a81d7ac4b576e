// Control-aware playback's pure rules: which child window is the recorded control, where a
// click recorded on the control goes on the control as it stands now (also at another DPI), and
// when a press may go in, waits, or stops the playback, over faked checks.
#include <gtest/gtest.h>

#include <cstring>

#include "playback/ControlPlacement.h"
#include "playback/ControlReadiness.h"
#include "support/WindowIdentities.h"

namespace {

ControlIdentity Control(const char* controlClass, int32_t id, int32_t place, int32_t left = 0, int32_t top = 0,
                        int32_t width = 0, int32_t height = 0, int32_t dpi = 96)
{
    ControlIdentity c{};
    std::strncpy(c.controlClass, controlClass, WindowClassBytes - 1);
    c.id = id;
    c.place = place;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    c.dpi = dpi;
    return c;
}

struct Point {
    int32_t x, y;
    bool operator==(const Point&) const = default;
};

// The position as played, or {-1, -1} when the mapping left it alone.
Point Mapped(const ControlMapping& mapping, Point p)
{
    return MapControlPosition(mapping, p.x, p.y) ? p : Point{-1, -1};
}

constexpr int64_t Second = 1000 * 1000;
constexpr ControlChecks AllReady{true, false, true, true, true};

}  // namespace

TEST(ControlIdentityMatch, ClassIdentifierAndPlaceCountTheRectangleDoesNot)
{
    const ControlIdentity recorded = Control("Edit", 1001, 0, 10, 40, 200, 24, 96);
    EXPECT_TRUE(IsSameControl(recorded, Control("Edit", 1001, 0, 10, 140, 400, 30, 144)));
    EXPECT_TRUE(IsSameControl(recorded, Control("EDIT", 1001, 0)));  // classes compare as the platform's
    EXPECT_FALSE(IsSameControl(recorded, Control("RichEdit", 1001, 0)));
    EXPECT_FALSE(IsSameControl(recorded, Control("Edit", 1002, 0)));
    EXPECT_FALSE(IsSameControl(recorded, Control("Edit", 1001, 1)));
    // Many controls share identifier -1 (or 0): their place among their class tells them apart.
    const ControlIdentity second = Control("Button", -1, 1);
    EXPECT_TRUE(IsSameControl(second, Control("button", -1, 1)));
    EXPECT_FALSE(IsSameControl(second, Control("Button", -1, 0)));
    EXPECT_FALSE(IsSameControl(second, Control("Static", -1, 1)));
    // A control behind more siblings than the recorder counts: class and identifier decide.
    EXPECT_TRUE(IsSameControl(Control("Button", 5, PlaceNotCounted), Control("Button", 5, 3)));
    EXPECT_FALSE(IsSameControl(Control("Button", 5, PlaceNotCounted), Control("Button", 6, 3)));
}

TEST(ControlMapping, AClickOnTheControlKeepsItsOffsetFromWhereTheControlStandsNow)
{
    // Recorded in a window at (100, 50); the control stood 20, 60 into it (at 120, 110 on the
    // screen), 200 by 24. Now the window moved, and the control stands 100 px lower in it.
    const WindowIdentity window = Window("a.exe", "Form", 100, 50, 500, 400);
    const ControlIdentity recorded = Control("Edit", 7, 0, 20, 60, 200, 24, 96);
    const ControlMapping mapping = MapControl(window, recorded, Control("Edit", 7, 0, 420, 310, 200, 24), 96);
    EXPECT_EQ((Point{425, 322}), Mapped(mapping, Point{125, 122}));
    EXPECT_EQ((Point{420, 310}), Mapped(mapping, Point{120, 110}));  // the top left corner
    EXPECT_EQ((Point{619, 333}), Mapped(mapping, Point{319, 133}));  // the last pixel inside
    // Just outside: right of it, below it, left of it, above it: mapped as the window maps them.
    for (const Point outside : {Point{320, 120}, Point{150, 134}, Point{119, 120}, Point{150, 109}})
        EXPECT_EQ((Point{-1, -1}), Mapped(mapping, outside));
    ControlMapping inactive = mapping;
    inactive.active = false;
    EXPECT_EQ((Point{-1, -1}), Mapped(inactive, Point{125, 122}));
}

TEST(ControlMapping, TheOffsetScalesWithTheDpiAndStaysOnTheControl)
{
    const WindowIdentity window = Window("a.exe", "Form", 0, 0, 500, 400);
    // Recorded at 96 DPI, played at 144: the control is half as large again.
    const ControlIdentity at96 = Control("Button", 1, 0, 300, 200, 80, 24, 96);
    const ControlMapping up = MapControl(window, at96, Control("Button", 1, 0, 600, 450, 120, 36), 144);
    EXPECT_EQ((Point{660, 468}), Mapped(up, Point{340, 212}));  // the middle stays the middle
    EXPECT_EQ((Point{602, 452}), Mapped(up, Point{301, 201}));  // 1.5 px to the nearest: 2
    EXPECT_EQ((Point{719, 485}), Mapped(up, Point{379, 223}));  // the last pixel: within it
    // Recorded at 144, played at 96.
    const ControlIdentity at144 = Control("Button", 1, 0, 450, 300, 120, 36, 144);
    const ControlMapping down = MapControl(window, at144, Control("Button", 1, 0, 300, 200, 80, 24), 96);
    EXPECT_EQ((Point{340, 212}), Mapped(down, Point{510, 318}));
    // A control that shrank more than the DPI says: the click stays on its last pixel.
    const ControlMapping shrunk = MapControl(window, at96, Control("Button", 1, 0, 600, 450, 40, 12), 96);
    EXPECT_EQ((Point{639, 461}), Mapped(shrunk, Point{370, 220}));
    // A DPI the system did not tell, then or now: no scaling.
    const ControlMapping unknown = MapControl(window, Control("Button", 1, 0, 300, 200, 80, 24, 0),
                                              Control("Button", 1, 0, 600, 450, 120, 36), 144);
    EXPECT_EQ((Point{640, 462}), Mapped(unknown, Point{340, 212}));
}

TEST(ControlReadiness, APressGoesInOnlyWhenEveryCheckHolds)
{
    EXPECT_EQ(ControlVerdict::Ready, DecideControlReadiness(AllReady, true, 0, 0));
    // A click does not need the focus; a key does.
    ControlChecks noFocus = AllReady;
    noFocus.focusInControl = false;
    EXPECT_EQ(ControlVerdict::Ready, DecideControlReadiness(noFocus, false, 0, 0));
    EXPECT_EQ(ControlVerdict::Wait, DecideControlReadiness(noFocus, true, 0, 0));
    ControlChecks missing = AllReady;
    missing.controlReady = false;
    EXPECT_EQ(ControlVerdict::Wait, DecideControlReadiness(missing, false, 0, 0));
    ControlChecks silent = AllReady;
    silent.answers = false;
    EXPECT_EQ(ControlVerdict::Wait, DecideControlReadiness(silent, false, 0, 0));
    ControlChecks locked = AllReady;
    locked.inputDesktop = false;
    EXPECT_EQ(ControlVerdict::Wait, DecideControlReadiness(locked, true, 0, 0));
}

TEST(ControlReadiness, HigherRightsStopAtOnceAndEachOtherReasonAfterItsOwnTimeOut)
{
    ControlChecks higher = AllReady;
    higher.higherRights = true;
    EXPECT_EQ(ControlVerdict::HigherRights, DecideControlReadiness(higher, false, 0, 0));
    EXPECT_EQ(ControlVerdict::HigherRights, DecideControlReadiness(higher, true, 0, 60'000));

    ControlChecks missing = AllReady;
    missing.controlReady = false;
    EXPECT_EQ(ControlVerdict::Wait, DecideControlReadiness(missing, false, 10 * Second - 1, 0));
    EXPECT_EQ(ControlVerdict::ControlMissing, DecideControlReadiness(missing, false, 10 * Second, 0));
    // The recording waited 25 s before this press: so does the playback.
    EXPECT_EQ(ControlVerdict::Wait, DecideControlReadiness(missing, false, 20 * Second, 25'000));
    EXPECT_EQ(ControlVerdict::ControlMissing, DecideControlReadiness(missing, false, 25 * Second, 25'000));
    ControlChecks noFocus = AllReady;
    noFocus.focusInControl = false;
    EXPECT_EQ(ControlVerdict::ControlMissing, DecideControlReadiness(noFocus, true, 10 * Second, 0));

    ControlChecks silent = missing;
    silent.answers = false;
    EXPECT_EQ(ControlVerdict::Wait, DecideControlReadiness(silent, false, 29 * Second, 0));
    EXPECT_EQ(ControlVerdict::NotAnswering, DecideControlReadiness(silent, false, 30 * Second, 0));

    // A locked session hides the rest: the desktop decides, after a minute.
    ControlChecks locked = silent;
    locked.inputDesktop = false;
    locked.higherRights = true;
    EXPECT_EQ(ControlVerdict::Wait, DecideControlReadiness(locked, false, 59 * Second, 0));
    EXPECT_EQ(ControlVerdict::SessionLocked, DecideControlReadiness(locked, false, 60 * Second, 0));
}
