// Fake injection of playback: every call is logged with the fake time.
#include <string>

#include "PlaybackFakes.h"
#include "playback/Injection.h"

void InjectKey(uint8_t virtualKey, bool down)
{
    LogFakeEvent("key " + std::to_string(virtualKey) + (down ? " down" : " up"));
}

void InjectMouseButton(uint32_t mouseFlags)
{
    LogFakeEvent("button " + std::to_string(mouseFlags));
}

void InjectWheel(int32_t wheelData)
{
    LogFakeEvent("wheel " + std::to_string(wheelData));
}

void InjectCursorMove(int32_t x, int32_t y)
{
    LogFakeEvent("move " + std::to_string(x) + "," + std::to_string(y));
}
