// The program's one playback mark; see PlaybackMark.h.
#include "core/PlaybackMark.h"

PlaybackMark gPlaybackMark = {};
EndedPlaybackMark gEndedPlaybackMark = {};

void EndPlaybackMark(uint32_t now)
{
    // The ended mark first: whoever finds the mark cleared finds it there.
    gEndedPlaybackMark.mark.store(gPlaybackMark.mark.load());
    gEndedPlaybackMark.endTick.store(now);
    gPlaybackMark.mark.store(0);
}

bool IsPlaybacksOwnInput(uintptr_t extraInformation, uint32_t time)
{
    const uintptr_t running = gPlaybackMark.mark.load();
    if (running != 0 && extraInformation == running) return true;
    const uintptr_t ended = gEndedPlaybackMark.mark.load();
    return ended != 0 && extraInformation == ended &&
           static_cast<int32_t>(time - gEndedPlaybackMark.endTick.load()) <= 0;
}
