// Fakes of the playback seam for the Win32 tests: a clock that only moves when the worker
// waits, and a log of every wait and injection with the fake time at which it happened.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// "<fake ms> <what>", for example "2100 key 65 down" or "0 wait 2000" (waits in ms too).
extern std::vector<std::string> gFakeLog;
extern int64_t gFakeNowMicroseconds;
// Called after each entry is logged (on the worker's thread), so that a test can act at an
// exact point of a playback, such as pressing F9 during a given wait.
extern std::function<void(const std::string& what)> gOnFakeEvent;

void ResetPlaybackFakes();
void LogFakeEvent(const std::string& what);
