// Fake definitions of the injection seam: the pure playback code injects into a list that the
// tests read.
#include "PlaybackFakeInjection.h"

#include "playback/Injection.h"

std::vector<std::string> gInjected;

void InjectKey(uint8_t virtualKey, bool down)
{
    gInjected.push_back("key " + std::to_string(virtualKey) + (down ? " down" : " up"));
}

void InjectMouseButton(uint32_t mouseFlags)
{
    gInjected.push_back("button " + std::to_string(mouseFlags));
}

void InjectWheel(int32_t wheelData)
{
    gInjected.push_back("wheel " + std::to_string(wheelData));
}

void InjectCursorMove(int32_t x, int32_t y)
{
    gInjected.push_back("move " + std::to_string(x) + "," + std::to_string(y));
}
