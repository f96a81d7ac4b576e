// Fake injection of playback, in place of the real half of playback/Injection.h: every call
// is written down (see PlaybackFakes.h).
#include <string>

#include "playback/Injection.h"
#include "support/PlaybackFakes.h"

void InjectKey(uint8_t virtualKey, bool down)
{
    LogFakeInjection("key " + std::to_string(virtualKey) + (down ? " down" : " up"));
}

void InjectMouseButton(uint32_t mouseFlags)
{
    LogFakeInjection("button " + std::to_string(mouseFlags));
}

void InjectWheel(int32_t wheelData)
{
    LogFakeInjection("wheel " + std::to_string(wheelData));
}

void InjectCursorMove(int32_t x, int32_t y)
{
    LogFakeInjection("move " + std::to_string(x) + "," + std::to_string(y));
}

void InjectXButton(int32_t xButton, bool down)
{
    LogFakeInjection("xbutton " + std::to_string(xButton) + (down ? " down" : " up"));
}

void InjectHorizontalWheel(int32_t wheelData)
{
    LogFakeInjection("hwheel " + std::to_string(wheelData));
}
