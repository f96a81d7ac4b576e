// thin: fewer mouse moves, each remaining record at its own time.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

// Drops the moves that come less than minInterval ms after the last move kept; a move followed
// by any other record, or by the end of the recording, is always kept, so that clicks, keys and
// wheel turns happen where the mouse was, and the pointer ends where it ended. Times are those
// of the player (negative delays as 0); the delays of dropped records are added to the next
// record kept (AppendDueAt caps them). Everything else is copied byte for byte. Only plain moves
// are dropped: a move that dump writes as raw counts as another record, and such records keep
// their bytes, their delays too.
std::vector<uint8_t> ThinRecording(std::span<const uint8_t> bytes, int64_t minInterval);

// The same a piece at a time: each run of whole records in order, the state starting as
// ThinState{}, then FinishThin; the partial record at the end is the caller's to copy.
struct ThinState {
    int64_t due;          // of the last record read
    int64_t lastDue;      // of the last record written
    bool movesKept;       // whether a move was written yet
    int64_t lastMoveDue;  // of the last move written
    bool hasPending;      // a move read whose fate depends on the record after it
    int64_t pendingDue;
    uint8_t pending[16];
};
void ThinRecords(ThinState& state, std::span<const uint8_t> wholeRecords, int64_t minInterval,
                 std::vector<uint8_t>& out);
void FinishThin(ThinState& state, std::vector<uint8_t>& out);
