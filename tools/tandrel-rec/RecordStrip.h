// strip: a recording without some kinds of records, each remaining record at its own time.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

struct StripKinds {
    bool moves;
    bool wheel;  // both wheels
    bool keys;
    bool buttons;           // the X buttons too
    bool windows = false;   // the window records and the control records: the recording plays blind again
    bool controls = false;  // the control records: the recording plays at window level again
};

// Drops every record of the kinds chosen, odd ones of those kinds included (records of unknown
// kinds always stay). The delays of dropped records are added to the next record kept, as the
// player counts them (negative as 0, capped by AppendDueAt); dropped records at the end take
// their time with them. Everything else is copied byte for byte.
std::vector<uint8_t> StripRecording(std::span<const uint8_t> bytes, const StripKinds& kinds);

// The same a piece at a time: each run of whole records in order, the state starting as
// StripState{}; the partial record at the end is the caller's to copy.
struct StripState {
    int64_t due;      // of the last record read
    int64_t lastDue;  // of the last record written
};
void StripRecords(StripState& state, std::span<const uint8_t> wholeRecords, const StripKinds& kinds,
                  std::vector<uint8_t>& out);
