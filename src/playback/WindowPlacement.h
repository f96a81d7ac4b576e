// Where playback finds a recording's windows, in pure arithmetic: whether a window is the one a
// recording names, where a recorded position lies in the window as it stands now, and how a
// wait for a window moves the rest of the pass's schedule.
#pragma once
#include <cstdint>

#include "core/WindowIdentity.h"
#include "playback/Schedule.h"

// The same program and class: the program's file name as written (readers keep it in lower
// case), the class without regard to the case of ASCII letters, as the platform compares class
// names. Position and size do not count: a window that moved is still the same window.
bool IsSameWindowIdentity(const WindowIdentity& a, const WindowIdentity& b);
// Two class names as the platform compares them: the case of ASCII letters does not count.
bool IsSameWindowClass(const char* a, const char* b);

// From the window's rectangle in the recording to its rectangle now. Inactive: positions stay
// as recorded (no window of that identity was in front at the start).
struct WindowMapping {
    bool active;
    int32_t fromLeft, fromTop, fromWidth, fromHeight;  // the rectangle the recording holds
    int32_t toLeft, toTop;                             // the top left corner now
};

WindowMapping MapWindow(const WindowIdentity& recorded, const WindowIdentity& now);
// A position inside the recorded rectangle (its right and bottom edges outside) keeps its
// offset from the top left corner; any other position (the taskbar, the desktop, another
// window) stays as recorded. Far-off results stop at the ends of the 32-bit range.
void MapPosition(const WindowMapping& mapping, int32_t& x, int32_t& y);

// A wait for a window of this many microseconds: every later record of the pass comes that
// much later, so the records after it keep their spacing.
void ShiftPlaybackSchedule(PlaybackSchedule& schedule, int64_t microseconds);

// How long a window is waited for before the playback stops: 10 s, or the record's own
// delay (in milliseconds, as recorded) where the recording waited longer there.
int64_t WindowWaitLimitMicroseconds(int32_t recordedDelay);
