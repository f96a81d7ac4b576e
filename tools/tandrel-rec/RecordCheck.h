// Whether the program plays a recording exactly as it is written, and where it does not.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "RecordHeld.h"
#include "recording/ControlRecords.h"
#include "recording/WindowRecords.h"

struct CheckFinding {
    int64_t record;  // 1-based; a partial record at the end counts as the one after the last
    std::string what;
    bool note;  // worth knowing, but the file still plays as written: no effect on the exit status
};

// Pauses longer than this are reported: more likely a forgotten recording than a wait.
constexpr int32_t LongestPlainPause = 3600000;

struct CheckState {
    int64_t records;  // whole records checked so far
    HeldTracker held;
    WindowRecordReader windows;    // the window records read so far
    ControlRecordReader controls;  // the control records read so far
};

// A file of any size, a piece at a time: CheckRecords for each run of whole records in order
// (state starting as CheckState{}), appending the findings of those records in record order;
// FinishCheck appends what is known only at the end: what is still held (oldest press first)
// and a partial record of tailBytes.
void CheckRecords(CheckState& state, std::span<const uint8_t> wholeRecords, std::vector<CheckFinding>& findings);
void FinishCheck(const CheckState& state, int64_t tailBytes, std::vector<CheckFinding>& findings);
// Both at once, for a file in memory; none when the file plays exactly as written.
std::vector<CheckFinding> CheckRecording(std::span<const uint8_t> bytes);
// Whether any of them changes how the file plays (a note does not).
bool HasFindingsBeyondNotes(const std::vector<CheckFinding>& findings);
// "record 12 (byte 176): ...", "record 3 (byte 32): note: ..."
std::string FormatFinding(const CheckFinding& finding);
