// What the fakes of the playback seam (playback/Injection.h) write down, shared by the native
// unit tests and the Win32 tests. PlaybackFakeInjection.cpp fakes the injection half and
// PlaybackFakeTiming.cpp the timing half; a test links either or both in place of the real
// halves. Nothing here needs windows.h.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Every injection as a short text, in order: "key 65 down", "button 2", "wheel -240",
// "move -5,7", "xbutton 1 down", "hwheel 120".
extern std::vector<std::string> gInjected;
// Every injection, wait and thread preparation as "<fake ms> <what>", for example
// "2100 key 65 down" or "0 wait 2000" (waits in ms too).
extern std::vector<std::string> gFakeLog;
// The fake clock: it only moves when playback waits.
extern int64_t gFakeNowMicroseconds;
// The fake stop of playback: set by SignalPlaybackStop, cleared by ResetPlaybackStop and
// ResetPlaybackFakes. While it is set, every fake wait is cut short.
extern bool gFakePlaybackStopped;
// Called after each entry of gFakeLog is written (on the thread that played), so that a test
// can act at an exact point of a playback, such as pressing F9 during a given wait.
extern std::function<void(const std::string& what)> gOnFakeEvent;

// Empties both logs, sets the clock to 0, clears the stop and forgets gOnFakeEvent.
void ResetPlaybackFakes();
// Writes one entry into gFakeLog at the fake time, then calls gOnFakeEvent.
void LogFakeEvent(const std::string& what);
// Writes one injection into gInjected and into gFakeLog.
void LogFakeInjection(const std::string& what);
// Microseconds as the logs write them: whole milliseconds, with three decimals when there
// are microseconds left ("2000", "7.500").
std::string MillisecondsText(int64_t microseconds);
