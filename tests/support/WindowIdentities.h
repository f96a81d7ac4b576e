// Window identities and the groups of window records the recorder writes for them, as the
// tests of window-aware playback and of tandrel-rec make them.
#pragma once
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/WindowIdentity.h"
#include "recording/WindowRecords.h"

// The identity of a window of `program` and `windowClass` at the given place; names too long
// for their fields are cut, as the recorder cuts them.
inline WindowIdentity Window(const char* program, const char* windowClass, int32_t left = 0, int32_t top = 0,
                             int32_t width = 0, int32_t height = 0)
{
    WindowIdentity w{};
    std::strncpy(w.program, program, sizeof w.program - 1);
    std::strncpy(w.windowClass, windowClass, sizeof w.windowClass - 1);
    w.left = left;
    w.top = top;
    w.width = width;
    w.height = height;
    return w;
}

// The group of window records that stands for `w` in a recording.
inline std::vector<InputRecord> WindowGroup(const WindowIdentity& w)
{
    std::vector<InputRecord> records(MaxWindowRecords);
    records.resize(EncodeWindowRecords(w, records.data()));
    return records;
}
