// Fake timing of playback, in place of the real half of playback/Injection.h: waits advance
// the fake clock at once and are written down (see PlaybackFakes.h).
#include <string>

#include "playback/Injection.h"
#include "support/PlaybackFakes.h"

void PreparePlaybackThread()
{
    LogFakeEvent("prepare");
}

void PlaybackWait(int64_t microseconds)
{
    LogFakeEvent("wait " + MillisecondsText(microseconds));
    if (microseconds > 0) {
        gFakeNowMicroseconds += microseconds;
    }
}

int64_t PlaybackClock()
{
    return gFakeNowMicroseconds;
}
