// retime: a recording played slower or faster than it was made, with one delay for every record,
// or with its long pauses cut short.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

enum class RetimeMode {
    Speed,       // every due time divided by a factor
    FixedDelay,  // every delay the same
    MaxPause,    // delays above a limit cut to the limit
};

struct RetimeOptions {
    RetimeMode mode;
    int64_t speedMillionths;  // Speed: the factor in millionths, 500000 for half speed
    int64_t milliseconds;     // FixedDelay: the delay; MaxPause: the limit (0 to LongestDelay)
};

// The factors that --speed takes, in millionths: 0.000001 to 1000000.
constexpr int64_t SpeedOneMillionths = 1000000;
constexpr int64_t FastestSpeedMillionths = SpeedOneMillionths * 1000000;

// Reads a speed factor written as a plain decimal number ("0.5", "3", "1.25"), with up to six
// decimals and within the range above; false for anything else.
bool ReadSpeedFactor(std::string_view text, int64_t& millionths);

// When a record due `due` ms after the start is due at a speed factor: due divided by the factor,
// in whole milliseconds (rounded down, as the player divides by its speed divisor).
int64_t DueTimeAtSpeed(int64_t due, int64_t speedMillionths);

// The whole recording retimed. With Speed every record is due at DueTimeAtSpeed of its old due
// time (negative delays counting as 0), so the rounding never adds up; FixedDelay gives every
// record the delay; MaxPause cuts the delays above the limit and leaves the others. A record
// whose time does not change, a negative delay that still plays as 0 included, is copied byte
// for byte, and so is a partial record at the end.
std::vector<uint8_t> RetimeRecording(std::span<const uint8_t> bytes, const RetimeOptions& options);

// The same a piece at a time: each run of whole records in order, the state starting as
// RetimeState{}; the partial record at the end is the caller's to copy.
struct RetimeState {
    int64_t due;      // of the last record read, at its old time
    int64_t lastDue;  // of the last record written
};
void RetimeRecords(RetimeState& state, std::span<const uint8_t> wholeRecords, const RetimeOptions& options,
                   std::vector<uint8_t>& out);
