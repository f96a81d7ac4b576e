// Where playback finds a recording's controls, in pure arithmetic: whether a child window is
// the control a recording names, and where a click recorded on that control goes on the
// control as it stands now, at the window's DPI now.
#pragma once
#include <cstdint>

#include "core/ControlIdentity.h"
#include "core/WindowIdentity.h"

// The same class (compared as window classes are), the same control identifier and the same
// place among the siblings of that class (where the recording tells it: PlaceNotCounted leaves
// class and identifier to decide). Rectangle and DPI do not count: a control that moved or grew
// is still the same control.
bool IsSameControl(const ControlIdentity& recorded, const ControlIdentity& now);

// From the control's rectangle in the recording (on the screen: the recorded window's top left
// plus the control's offset in it) to its rectangle on the screen now.
struct ControlMapping {
    bool active;
    int32_t fromLeft, fromTop, fromWidth, fromHeight;  // the recorded rectangle on the screen
    int32_t dpiThen;                                   // 0 or less: unknown, taken as the DPI now
    int32_t toLeft, toTop, toWidth, toHeight;          // the control's rectangle now
    int32_t dpiNow;
};

// `window` is the recorded window the control stood in; `now` holds the control's screen
// rectangle now in left, top, width and height; `dpiNow` the window's DPI now (0: unknown).
ControlMapping MapControl(const WindowIdentity& window, const ControlIdentity& recorded, const ControlIdentity& now,
                          int32_t dpiNow);
// True when the position lies inside the recorded rectangle (its right and bottom edges
// outside); it then keeps its offset from the top left corner, scaled by DPI now / DPI then
// (rounded to the nearest pixel) and kept inside the control's rectangle now. Any other
// position is left alone (false).
bool MapControlPosition(const ControlMapping& mapping, int32_t& x, int32_t& y);
