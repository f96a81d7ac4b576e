// Identity match and DPI-scaled placement of the controls of control-aware playback.
#include "playback/ControlPlacement.h"

#include "playback/WindowPlacement.h"

namespace {

bool Inside(int32_t position, int32_t start, int32_t length)
{
    return position >= start && static_cast<int64_t>(position) < static_cast<int64_t>(start) + length;
}

// The offset scaled by now / then, to the nearest pixel, kept within 0 .. length - 1.
int64_t ScaledOffset(int64_t offset, int32_t now, int32_t then, int32_t length)
{
    if (then > 0 && now > 0 && now != then) offset = (offset * now + then / 2) / then;
    if (offset >= length) offset = static_cast<int64_t>(length) - 1;
    return offset < 0 ? 0 : offset;
}

int32_t ClampToInt32(int64_t value)
{
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

bool IsSameControl(const ControlIdentity& recorded, const ControlIdentity& now)
{
    // A place the recorder did not count (too many siblings before it) leaves class and identifier.
    const bool samePlace = recorded.place == now.place || recorded.place == PlaceNotCounted;
    return recorded.id == now.id && samePlace && IsSameWindowClass(recorded.controlClass, now.controlClass);
}

ControlMapping MapControl(const WindowIdentity& window, const ControlIdentity& recorded, const ControlIdentity& now,
                          int32_t dpiNow)
{
    return ControlMapping{true,
                          ClampToInt32(static_cast<int64_t>(window.left) + recorded.left),
                          ClampToInt32(static_cast<int64_t>(window.top) + recorded.top),
                          recorded.width,
                          recorded.height,
                          recorded.dpi,
                          now.left,
                          now.top,
                          now.width,
                          now.height,
                          dpiNow};
}

bool MapControlPosition(const ControlMapping& mapping, int32_t& x, int32_t& y)
{
    if (!mapping.active || !Inside(x, mapping.fromLeft, mapping.fromWidth) ||
        !Inside(y, mapping.fromTop, mapping.fromHeight))
        return false;
    const int64_t dx =
        ScaledOffset(static_cast<int64_t>(x) - mapping.fromLeft, mapping.dpiNow, mapping.dpiThen, mapping.toWidth);
    const int64_t dy =
        ScaledOffset(static_cast<int64_t>(y) - mapping.fromTop, mapping.dpiNow, mapping.dpiThen, mapping.toHeight);
    x = ClampToInt32(mapping.toLeft + dx);
    y = ClampToInt32(mapping.toTop + dy);
    return true;
}
