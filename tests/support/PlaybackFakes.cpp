// The logs and the clock of the playback fakes; see PlaybackFakes.h.
#include "support/PlaybackFakes.h"

std::vector<std::string> gInjected;
std::vector<std::string> gFakeLog;
int64_t gFakeNowMicroseconds = 0;
bool gFakePlaybackStopped = false;
std::function<void(const std::string& what)> gOnFakeEvent;

void ResetPlaybackFakes()
{
    gInjected.clear();
    gFakeLog.clear();
    gFakeNowMicroseconds = 0;
    gFakePlaybackStopped = false;
    gOnFakeEvent = nullptr;
}

void LogFakeEvent(const std::string& what)
{
    gFakeLog.push_back(MillisecondsText(gFakeNowMicroseconds) + " " + what);
    if (gOnFakeEvent) {
        gOnFakeEvent(what);
    }
}

void LogFakeInjection(const std::string& what)
{
    gInjected.push_back(what);
    LogFakeEvent(what);
}

std::string MillisecondsText(int64_t microseconds)
{
    std::string text = std::to_string(microseconds / 1000);
    if (microseconds % 1000 != 0) {
        text += "." + std::to_string(1000 + microseconds % 1000).substr(1);
    }
    return text;
}
