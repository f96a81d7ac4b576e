// Identity match, relative placement and the schedule's shift of window-aware playback.
#include "playback/WindowPlacement.h"

#include <cstring>

namespace {

constexpr int64_t MinimumWindowWaitMicroseconds = 10 * 1000 * 1000;

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int32_t ClampToInt32(int64_t value)
{
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

bool Inside(int32_t position, int32_t start, int32_t length)
{
    return position >= start && static_cast<int64_t>(position) < static_cast<int64_t>(start) + length;
}

}  // namespace

bool IsSameWindowClass(const char* a, const char* b)
{
    for (uint32_t i = 0; i < WindowClassBytes; ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
        if (a[i] == '\0') return true;
    }
    return true;
}

bool IsSameWindowIdentity(const WindowIdentity& a, const WindowIdentity& b)
{
    return strncmp(a.program, b.program, WindowProgramBytes) == 0 && IsSameWindowClass(a.windowClass, b.windowClass);
}

WindowMapping MapWindow(const WindowIdentity& recorded, const WindowIdentity& now)
{
    return WindowMapping{true, recorded.left, recorded.top, recorded.width, recorded.height, now.left, now.top};
}

void MapPosition(const WindowMapping& mapping, int32_t& x, int32_t& y)
{
    if (!mapping.active || !Inside(x, mapping.fromLeft, mapping.fromWidth) ||
        !Inside(y, mapping.fromTop, mapping.fromHeight))
        return;
    x = ClampToInt32(static_cast<int64_t>(x) - mapping.fromLeft + mapping.toLeft);
    y = ClampToInt32(static_cast<int64_t>(y) - mapping.fromTop + mapping.toTop);
}

void ShiftPlaybackSchedule(PlaybackSchedule& schedule, int64_t microseconds)
{
    if (microseconds > 0) schedule.originMicroseconds += microseconds;
}

int64_t WindowWaitLimitMicroseconds(int32_t recordedDelay)
{
    const int64_t recorded = static_cast<int64_t>(recordedDelay) * 1000;
    return recorded > MinimumWindowWaitMicroseconds ? recorded : MinimumWindowWaitMicroseconds;
}
