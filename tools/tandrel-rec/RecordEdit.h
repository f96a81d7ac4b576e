// What the edit commands (retime, thin, strip, rescale, jitter) share: a record's delay as the
// player waits for it, appending records with a new delay or at a new due time, everything
// else about them left byte for byte, and an edit of a whole file at once.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

// The most a delay field holds: 2147483647 ms, some 24.8 days.
constexpr int64_t LongestDelay = INT32_MAX;

// The kind byte of the 16 bytes of a record.
int8_t KindAt(const uint8_t* record);
// The delay as the player waits for it: a negative delay counts as 0.
int64_t PlayedDelayAt(const uint8_t* record);
// The running sum of played delays, saturating far beyond any recording that fits in memory.
int64_t AddToDueTime(int64_t due, int64_t playedDelay);

// Appends a record with the delay given (0 to LongestDelay). When the record already plays with
// that delay (a negative delay plays as 0) it is appended byte for byte.
void AppendWithDelay(std::vector<uint8_t>& out, const uint8_t* record, int64_t delay);

// Appends a record so that it is due at `due`, lastDue being when the record before it in out is
// due; both move on together. The delay is the difference, at most LongestDelay: a record that
// would need more comes that much early, and the next record's delay makes up the rest.
void AppendDueAt(std::vector<uint8_t>& out, int64_t& lastDue, const uint8_t* record, int64_t due);

// The partial record at the end of a file, if any, as it is.
void AppendTail(std::vector<uint8_t>& out, std::span<const uint8_t> bytes);
// The whole records of a file, without a partial record at the end.
std::span<const uint8_t> WholeRecordsOf(std::span<const uint8_t> bytes);

// An edit of a whole file in memory: edit(wholeRecords, out) for its whole records, then the
// partial record at its end as it is.
template <typename Edit>
std::vector<uint8_t> EditWholeFile(std::span<const uint8_t> bytes, Edit edit)
{
    std::vector<uint8_t> out;
    out.reserve(bytes.size());
    edit(WholeRecordsOf(bytes), out);
    AppendTail(out, bytes);
    return out;
}
// Whether dump writes the record as raw bytes: such a record is never dropped or moved by thin,
// nor changed by rescale.
bool IsRawRecord(const uint8_t* record);
