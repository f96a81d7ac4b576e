// The run log's line: how an unattended run ended, in one fixed word, and the one line of
// UTF-8 text that tells it (or tells its start), with fields a script can split; and when the
// log is long enough to be set aside.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// How an unattended run ended. None while nothing has decided it yet.
enum class RunEnd : uint8_t {
    None,
    Played,          // every pass played
    Cancelled,       // F9
    Closed,          // a close request or the end of the session
    NotFound,        // no file at the recording's path
    Unreadable,      // the file could not be opened for a pass
    HookFailed,      // a hook could not be installed
    WindowMissing,   // the window the recording plays into never came
    ControlMissing,  // a press's control did not become ready (there, visible, enabled, focused)
    NotAnswering,    // a press's window did not answer messages
    SessionLocked,   // the session stayed locked: input could not arrive
    HigherRights,    // a press's window runs with higher rights, which drop injected input
    StartFailed,     // the program's window or the playback's thread could not be made
};

// The word of the log for an end; "started" for None, the start line's word.
std::string_view RunEndWord(RunEnd end);

// A local time with its offset from UTC, as the system gives it.
struct LocalTime {
    int32_t year, month, day, hour, minute, second;
    int32_t offsetMinutes;  // local time minus UTC, east positive
};

// One line of the log: start or end of one run.
struct RunLogEntry {
    LocalTime time;
    uint32_t processId;
    RunEnd end;  // None for the start line
    int32_t passesPlayed;
    int32_t speedDivisor;
    int32_t repeatCount;
    std::wstring_view recordingPath;  // the full path, UTF-16 as the platform gives it
};

// The line, newline included: seven fields separated by tabs,
//   2026-12-07T07:30:05+01:00  pid  word  passes  speed  repeats  path
// The path is last and UTF-8; a tab, a line break or another control character in it, and
// "%", are written as "%" and two hex digits (as in a URL), so the line stays one line and the
// path splits back exactly. A lone surrogate, which UTF-8 cannot carry, becomes U+FFFD.
std::string FormatRunLogLine(const RunLogEntry& entry);

// The log is set aside (renamed to Tandrel.log.1) before a line that would take it past this.
constexpr int64_t RunLogLimitBytes = 1024 * 1024;
// True when a log of this size is to be set aside before a line of this length is appended.
// An empty log never is, however long the line.
bool ShouldRotateRunLog(int64_t logBytes, int64_t lineBytes);
