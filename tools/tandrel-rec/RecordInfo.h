// What a recording holds and how long it plays: the summary that info prints, and the keys and
// buttons that a pass leaves pressed, which check reports too.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "RecordHeld.h"
#include "recording/ControlRecords.h"
#include "recording/RecordKinds.h"
#include "recording/WindowRecords.h"

struct RecordingInfo {
    int64_t records;                  // whole records
    int64_t tailBytes;                // bytes of a partial record at the end (never played)
    int64_t byKind[RecordKindCount];  // by RecordKind; Button without the X buttons
    int64_t xButtons;                 // Button records of the X buttons
    int64_t otherKinds;               // records of kinds that no row of recording/RecordKinds.def names
    WindowRecordReader windowReader;
    int64_t windowStart;                // the record that began the window group being read
    std::vector<std::string> windows;   // each window the recording goes to, in order: "record N: ..."
    int64_t moreWindows;                // windows beyond the ones listed
    ControlRecordReader controlReader;  // the same for the controls of the presses
    int64_t controlStart;
    std::vector<std::string> controls;
    int64_t moreControls;
    int64_t delaySum;             // ms, negative delays counted as 0, as the player does
    int speedDivisor;             // the speed the duration below is for
    int64_t durationAtSpeed;      // when the last record is due: delaySum / speedDivisor
    HeldTracker following;        // what is down so far
    std::vector<HeldAtEnd> held;  // what is down at the end: filled by FinishSummary
    bool hasMoves;
    int32_t minX, maxX, minY, maxY;  // of the Move records, when hasMoves
    int32_t longestPause;            // the largest delay, ms
    int64_t longestPauseRecord;      // the record it comes before; 0 for an empty recording
};

// A file of any size, a piece at a time: StartSummary (speedDivisor: 1 to 10, the program's
// speed setting), SummarizeRecords for each run of whole records in order, FinishSummary with
// the bytes of a partial record at the end.
void StartSummary(RecordingInfo& info, int speedDivisor);
void SummarizeRecords(RecordingInfo& info, std::span<const uint8_t> wholeRecords);
void FinishSummary(RecordingInfo& info, int64_t tailBytes);
// The three at once, for a file in memory.
RecordingInfo SummarizeRecording(std::span<const uint8_t> bytes, int speedDivisor);

// Milliseconds as h:mm:ss.mmm.
std::string ClockTime(int64_t milliseconds);
// The lines that info prints.
std::string FormatRecordingInfo(const RecordingInfo& info);
