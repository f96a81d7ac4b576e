// The run log of unattended runs: what goes into the start and end lines, and when they are
// written. The file itself is RunLogAppend.cpp's.
#include "app/RunLog.h"

#include <windows.h>

#include "app/RunLogAppend.h"
#include "core/Settings.h"
#include "playback/PlaybackWorker.h"

namespace {

// The run as the log tells it. Written by the main thread only (start-up, the callback's
// cancel, the exit); read by the same.
struct RunLogState {
    bool begun;  // an unattended run: it has lines to write
    bool startWritten;
    bool endWritten;
    RunEnd noted;  // what the main thread learnt of the end, None if nothing
    LocalTime startTime;
    std::wstring fullPath;
    int32_t speedDivisor;
    int32_t repeatCount;
};
RunLogState gRunLog{};

int64_t FileTimeValue(const SYSTEMTIME& time)
{
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return (static_cast<int64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

LocalTime LocalTimeNow()
{
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    SYSTEMTIME local = utc;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
    // Both come from one reading, so their difference is the offset in whole minutes.
    constexpr int64_t FileTicksPerMinute = 600000000;
    const int64_t offset = (FileTimeValue(local) - FileTimeValue(utc)) / FileTicksPerMinute;
    return {
        local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond, static_cast<int32_t>(offset)};
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

void WriteLine(const LocalTime& time, RunEnd end, int32_t passes)
{
    const RunLogEntry entry{
        time, GetCurrentProcessId(), end, passes, gRunLog.speedDivisor, gRunLog.repeatCount, gRunLog.fullPath};
    AppendRunLogLine(FormatRunLogLine(entry));  // a log that cannot be written is left at that
}

// A start-up error noted decides; else the worker's own end; else it was stopped, by F9 or by
// the exit (a close request, the session's end).
RunEnd HowTheRunEnded()
{
    if (gRunLog.noted != RunEnd::None && gRunLog.noted != RunEnd::Cancelled) return gRunLog.noted;
    switch (LastPlaybackEnd()) {
    case PlaybackEnd::Played: return RunEnd::Played;
    case PlaybackEnd::Unreadable: return RunEnd::Unreadable;
    case PlaybackEnd::WindowMissing: return RunEnd::WindowMissing;
    case PlaybackEnd::ControlMissing: return RunEnd::ControlMissing;
    case PlaybackEnd::NotAnswering: return RunEnd::NotAnswering;
    case PlaybackEnd::SessionLocked: return RunEnd::SessionLocked;
    case PlaybackEnd::HigherRights: return RunEnd::HigherRights;
    case PlaybackEnd::Running:
    case PlaybackEnd::Stopped: break;
    }
    return gRunLog.noted == RunEnd::Cancelled ? RunEnd::Cancelled : RunEnd::Closed;
}

}  // namespace

void BeginRunLog()
{
    gRunLog.begun = true;
    gRunLog.startTime = LocalTimeNow();
    gRunLog.fullPath = FullPath(gPlaybackPath);
    gRunLog.speedDivisor = gSpeedDivisor;
    gRunLog.repeatCount = gRepeatCount;
}

void WriteRunLogStart()
{
    if (!gRunLog.begun || gRunLog.startWritten) return;
    gRunLog.startWritten = true;
    WriteLine(gRunLog.startTime, RunEnd::None, 0);
}

void NoteRunEnd(RunEnd end)
{
    if (!gRunLog.begun) return;
    gRunLog.noted = end;
    // A message box may follow and wait for hours: the log says at least that the run began.
    WriteRunLogStart();
}

void EndRunLog()
{
    if (!gRunLog.begun || gRunLog.endWritten) return;
    WriteRunLogStart();
    gRunLog.endWritten = true;
    WriteLine(LocalTimeNow(), HowTheRunEnded(), PlayedPassCount());
}
