// Fake timing of playback: waits advance a fake clock at once and are logged.
#include <string>

#include "PlaybackFakes.h"
#include "playback/Injection.h"

std::vector<std::string> gFakeLog;
int64_t gFakeNowMicroseconds = 0;
std::function<void(const std::string& what)> gOnFakeEvent;

namespace {

std::string Milliseconds(int64_t microseconds)
{
    std::string text = std::to_string(microseconds / 1000);
    if (microseconds % 1000 != 0) {
        text += "." + std::to_string(1000 + microseconds % 1000).substr(1);
    }
    return text;
}

}  // namespace

void ResetPlaybackFakes()
{
    gFakeLog.clear();
    gFakeNowMicroseconds = 0;
    gOnFakeEvent = nullptr;
}

void LogFakeEvent(const std::string& what)
{
    gFakeLog.push_back(Milliseconds(gFakeNowMicroseconds) + " " + what);
    if (gOnFakeEvent) {
        gOnFakeEvent(what);
    }
}

void PreparePlaybackThread()
{
    LogFakeEvent("prepare");
}

void PlaybackWait(int64_t microseconds)
{
    LogFakeEvent("wait " + Milliseconds(microseconds));
    if (microseconds > 0) {
        gFakeNowMicroseconds += microseconds;
    }
}

int64_t PlaybackClock()
{
    return gFakeNowMicroseconds;
}
