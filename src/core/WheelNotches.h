// Whole notches out of a wheel's deltas. Touchpads and smooth wheels report steps smaller
// than a notch (120); they add up, one sum per direction, to whole notches instead of being
// lost. A turn the other way drops the remainder of the old direction, so a stale partial
// step never completes a notch the user did not turn. Pure and header-only: the mouse hook
// module keeps one remainder for each of its two wheels, and the unit tests run it natively.
#pragma once

constexpr int WheelNotchDelta = 120;

// The part of a notch not yet reported, per direction (forward positive, backward negative).
struct WheelRemainder {
    int forward;
    int backward;
};

// Adds one delta to the remainder of its direction and returns the whole notches that are
// now complete (negative backward).
inline int TakeWheelNotches(WheelRemainder& remainder, int delta)
{
    if (delta > 0) {
        remainder.backward = 0;
        remainder.forward += delta;
        const int notches = remainder.forward / WheelNotchDelta;
        remainder.forward -= notches * WheelNotchDelta;
        return notches;
    }
    if (delta < 0) {
        remainder.forward = 0;
        remainder.backward += delta;
        const int notches = remainder.backward / WheelNotchDelta;  // rounds toward zero: stays <= 0
        remainder.backward -= notches * WheelNotchDelta;
        return notches;
    }
    return 0;
}
