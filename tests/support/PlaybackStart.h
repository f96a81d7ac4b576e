// What a Win32 test does before it starts a playback worker against the fakes: the recording
// it plays, and everything the worker reads put back to a plain start.
#pragma once
#include <string>
#include <vector>

#include "core/ActivityState.h"
#include "core/Settings.h"
#include "playback/HeldInputs.h"
#include "recording/InputRecord.h"
#include "support/FileHelpers.h"
#include "support/PlaybackFakes.h"
#include "support/RecordingBytes.h"
#include "support/TempWorkingFolder.h"

// Writes the records as the recording file `name` in the working folder; returns its path.
inline std::wstring WriteRecordingFile(const wchar_t* name, const std::vector<InputRecord>& records)
{
    const std::wstring path = WorkingFolder() + L"\\" + name;
    WriteWholeFile(path, RecordingBytes(records));
    return path;
}

// An empty Held-input list and fakes, Idle, and one pass at the recorded speed after which
// the program stays.
inline void ResetForPlayback()
{
    CreateHeldInputList();
    ResetPlaybackFakes();
    gActivityState.store(Idle);
    gSpeedDivisor = 1;
    gRepeatCount = 0;
    gQuitAfterPlayback = 0;
}
