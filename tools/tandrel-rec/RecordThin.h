// thin: fewer mouse moves, each remaining record at its own time.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

// Drops the moves that come less than minInterval ms after the last move kept; a move followed
// by any other record, or by the end of the recording, is always kept, so that clicks, keys and
// wheel turns happen where the mouse was, and the pointer ends where it ended. Times are those
// of the player (negative delays as 0); the delays of dropped records are added to the next
// record kept (AppendDueAt caps them). Everything else is copied byte for byte.
std::vector<uint8_t> ThinRecording(std::span<const uint8_t> bytes, int64_t minInterval);
