// Fake timing of playback, in place of the real half of playback/Injection.h: waits advance
// the fake clock at once and are written down (see PlaybackFakes.h).
#include <string>

#include "playback/Injection.h"
#include "support/PlaybackFakes.h"

void PreparePlaybackThread()
{
    LogFakeEvent("prepare");
}

bool PlaybackWait(int64_t microseconds)
{
    LogFakeEvent("wait " + MillisecondsText(microseconds));
    // A stop, before the wait or from gOnFakeEvent during it, cuts it short: the clock stands.
    if (gFakePlaybackStopped) {
        return false;
    }
    if (microseconds > 0) {
        gFakeNowMicroseconds += microseconds;
    }
    return true;
}

void SignalPlaybackStop()
{
    gFakePlaybackStopped = true;
}

void ResetPlaybackStop()
{
    gFakePlaybackStopped = false;
}

int64_t PlaybackClock()
{
    return gFakeNowMicroseconds;
}
