// Jitter from a seeded splitmix64 sequence, reduced to a range by the remainder: for ranges of
// at most 2^32 values out of 2^64 the bias of the remainder is below one in four billion.
#include "RecordJitter.h"

#include "RecordEdit.h"
#include "recording/InputRecord.h"

uint64_t NextRandom(uint64_t& state)
{
    state += 0x9E3779B97F4A7C15ull;
    uint64_t mixed = state;
    mixed = (mixed ^ (mixed >> 30)) * 0xBF58476D1CE4E5B9ull;
    mixed = (mixed ^ (mixed >> 27)) * 0x94D049BB133111EBull;
    return mixed ^ (mixed >> 31);
}

void JitterRecords(uint64_t& random, std::span<const uint8_t> wholeRecords, int64_t maxChange,
                   std::vector<uint8_t>& out)
{
    const size_t records = wholeRecords.size() / InputRecordSize;
    const uint8_t* record = wholeRecords.data();
    for (size_t i = 0; i < records; ++i, record += InputRecordSize) {
        const uint64_t number = NextRandom(random);
        const int64_t delay = PlayedDelayAt(record);
        const int64_t most = delay < maxChange ? delay : maxChange;
        const int64_t change = static_cast<int64_t>(number % static_cast<uint64_t>(2 * most + 1)) - most;
        const int64_t changed = delay + change;
        AppendWithDelay(out, record, changed > LongestDelay ? LongestDelay : changed);
    }
}

std::vector<uint8_t> JitterRecording(std::span<const uint8_t> bytes, int64_t maxChange, uint64_t seed)
{
    uint64_t random = seed;
    return EditWholeFile(bytes, [&](std::span<const uint8_t> records, std::vector<uint8_t>& out) {
        JitterRecords(random, records, maxChange, out);
    });
}
