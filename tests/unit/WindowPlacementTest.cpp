// Window-aware playback's arithmetic: which window is the recorded one, where a recorded
// position goes in the window as it stands now, and how a wait for a window moves the schedule.
#include <gtest/gtest.h>

#include "playback/WindowPlacement.h"
#include "support/WindowIdentities.h"

namespace {

struct Point {
    int32_t x, y;
    bool operator==(const Point&) const = default;
};

Point Mapped(const WindowMapping& mapping, Point p)
{
    MapPosition(mapping, p.x, p.y);
    return p;
}

}  // namespace

TEST(WindowIdentityMatch, ProgramAndClassCountThePlaceDoesNot)
{
    const WindowIdentity recorded = Window("notepad.exe", "Notepad", 10, 10, 800, 600);
    EXPECT_TRUE(IsSameWindowIdentity(recorded, Window("notepad.exe", "Notepad", -900, 300, 640, 480)));
    EXPECT_TRUE(IsSameWindowIdentity(recorded, Window("notepad.exe", "NOTEPAD")));
    EXPECT_FALSE(IsSameWindowIdentity(recorded, Window("wordpad.exe", "Notepad")));
    EXPECT_FALSE(IsSameWindowIdentity(recorded, Window("notepad.exe", "Notepad2")));
    EXPECT_FALSE(IsSameWindowIdentity(recorded, Window("notepad.exe", "Note")));
    EXPECT_FALSE(IsSameWindowIdentity(recorded, Window("notepad.ex", "Notepad")));
    // Only ASCII letters fold, as the platform folds class names here.
    EXPECT_FALSE(IsSameWindowIdentity(Window("a.exe", "\xC3\xA4"), Window("a.exe", "\xC3\x84")));
}

TEST(WindowMapping, APositionInsideKeepsItsOffsetOneOutsideStaysWhereItWas)
{
    // Recorded on a monitor left of the primary one; the window now stands on the primary one.
    const WindowIdentity recorded = Window("a.exe", "A", -1600, -100, 800, 600);
    const WindowMapping mapping = MapWindow(recorded, Window("a.exe", "A", 200, 50, 640, 480));
    EXPECT_EQ((Point{210, 70}), Mapped(mapping, Point{-1590, -80}));
    EXPECT_EQ((Point{200, 50}), Mapped(mapping, Point{-1600, -100}));  // the top left corner
    EXPECT_EQ((Point{999, 649}), Mapped(mapping, Point{-801, 499}));   // the last pixel inside
    // Just outside: right of it, below it, left of it and above it.
    for (const Point outside : {Point{-800, 0}, Point{-1000, 500}, Point{-1601, 0}, Point{-1000, -101}})
        EXPECT_EQ(outside, Mapped(mapping, outside));
    // No window of the identity in front at the start: everything as recorded.
    WindowMapping inactive = mapping;
    inactive.active = false;
    EXPECT_EQ((Point{-1590, -80}), Mapped(inactive, Point{-1590, -80}));
}

TEST(WindowMapping, FarOffPositionsStopAtTheEndsOfTheRange)
{
    const WindowMapping mapping = MapWindow(Window("a.exe", "A", INT32_MIN, 0, INT32_MAX, 100),
                                            Window("a.exe", "A", INT32_MAX - 10, 0, 100, 100));
    EXPECT_EQ((Point{INT32_MAX, 5}), Mapped(mapping, Point{-100, 5}));
}

TEST(WindowSchedule, TheRecordsAfterAWaitKeepTheirSpacing)
{
    PlaybackSchedule schedule = StartPlaybackSchedule(1'000'000);
    EXPECT_EQ(10'000, NextRecordWait(schedule, 10, 1, 1'000'000));
    // The record's window took 3 s to come: the wait ended at 4.01 s.
    const int64_t afterWait = 1'010'000 + 3'000'000;
    ShiftPlaybackSchedule(schedule, 3'000'000);
    EXPECT_EQ(20'000, NextRecordWait(schedule, 20, 1, afterWait));
    EXPECT_EQ(30'000, NextRecordWait(schedule, 30, 1, afterWait + 20'000));
}

TEST(WindowSchedule, TheWaitForAWindowLastsTenSecondsOrAsLongAsTheRecordingWaited)
{
    EXPECT_EQ(10'000'000, WindowWaitLimitMicroseconds(0));
    EXPECT_EQ(10'000'000, WindowWaitLimitMicroseconds(9'999));
    EXPECT_EQ(25'000'000, WindowWaitLimitMicroseconds(25'000));
    EXPECT_EQ(int64_t{INT32_MAX} * 1000, WindowWaitLimitMicroseconds(INT32_MAX));
}
