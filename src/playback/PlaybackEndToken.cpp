// The end message's token (see PlaybackEndToken.h).
#include "playback/PlaybackEndToken.h"

#include <atomic>
#include <cstdint>

#include "core/Messages.h"
#include "playback/InjectionMark.h"

namespace {

// The running worker's token, or the last one's until the main thread took its end; 0 and 0
// when no end is due. Written by the worker (drawn at its start) and by the main thread
// (cleared as it takes the end); read by both.
std::atomic<uintptr_t> gEndToken[2] = {};

uintptr_t DrawNonZero()
{
    uintptr_t value = 0;
    for (int attempt = 0; attempt < 4 && value == 0; ++attempt)
        if (!DrawSystemRandom(value)) value = 0;
    // Without a random source the token is only as good as the clock: still never 0, which
    // stands for "no end is due".
    if (value == 0) value = static_cast<uintptr_t>(GetTickCount()) | 1u;
    return value;
}

}  // namespace

void DrawPlaybackEndToken()
{
    gEndToken[0].store(DrawNonZero());
    gEndToken[1].store(DrawNonZero());
}

void PostPlaybackEnded(HWND mainWindow)
{
    PostMessageW(mainWindow, PlaybackEndedMessage, gEndToken[0].load(), static_cast<LPARAM>(gEndToken[1].load()));
}

bool TakePlaybackEnd(WPARAM wParam, LPARAM lParam)
{
    const uintptr_t first = gEndToken[0].load();
    if (first == 0 || wParam != first || static_cast<uintptr_t>(lParam) != gEndToken[1].load()) return false;
    gEndToken[0].store(0);
    gEndToken[1].store(0);
    return true;
}
