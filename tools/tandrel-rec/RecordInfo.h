// What a recording holds and how long it plays: the summary that info prints, and the keys and
// buttons that a pass leaves pressed, which check reports too.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A key or button pressed during a pass and not released by its end; the player releases it.
struct HeldAtEnd {
    int8_t kind;     // Key or Button
    int16_t code;    // Key: the record's code; Button: the release message (514, 517, 520)
    int64_t record;  // 1-based number of the record that pressed it
};

struct RecordingInfo {
    int64_t records;          // whole records
    int64_t tailBytes;        // bytes of a partial record at the end (never played)
    int64_t byKind[4];        // Key, Button, Move, Wheel
    int64_t otherKinds;       // records of unknown kinds
    int64_t delaySum;         // ms, negative delays counted as 0, as the player does
    int speedDivisor;         // the speed the duration below is for
    int64_t durationAtSpeed;  // when the last record is due: delaySum / speedDivisor
    std::vector<HeldAtEnd> held;
    bool hasMoves;
    int32_t minX, maxX, minY, maxY;  // of the Move records, when hasMoves
    int32_t longestPause;            // the largest delay, ms
    int64_t longestPauseRecord;      // the record it comes before; 0 for an empty recording
};

// speedDivisor: 1 to 10, the program's speed setting.
RecordingInfo SummarizeRecording(std::span<const uint8_t> bytes, int speedDivisor);
// Keys and buttons still pressed after playing the whole records of a file, oldest first.
std::vector<HeldAtEnd> HeldAtEndOf(std::span<const uint8_t> bytes);

// "Shift", "0xE8", "left button": how a held input is named in messages.
std::string HeldName(const HeldAtEnd& held);
// Milliseconds as h:mm:ss.mmm.
std::string ClockTime(int64_t milliseconds);
// The lines that info prints.
std::string FormatRecordingInfo(const RecordingInfo& info);
