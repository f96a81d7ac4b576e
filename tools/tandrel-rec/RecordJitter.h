// jitter: a recording whose delays vary a little, the same way for the same seed everywhere.
#pragma once
#include <cstdint>
#include <span>
#include <vector>

// The tool's own random numbers (splitmix64): the same sequence for a seed on every platform and
// with every standard library, which std:: distributions do not promise.
uint64_t NextRandom(uint64_t& state);

// Adds to each record's delay d (a negative one counting as 0) a whole random amount from -m to
// +m ms, where m is the smaller of d and maxChange: so no delay becomes negative and, on average,
// the recording lasts as long as before. A delay pushed past LongestDelay stops there. Each whole
// record takes one number from the sequence of the seed, whether or not its delay can change;
// a record whose delay stays as it plays is copied byte for byte, and so is a partial record at
// the end.
std::vector<uint8_t> JitterRecording(std::span<const uint8_t> bytes, int64_t maxChange, uint64_t seed);
// The same a piece at a time: each run of whole records in order, random starting as the seed;
// the partial record at the end is the caller's to copy.
void JitterRecords(uint64_t& random, std::span<const uint8_t> wholeRecords, int64_t maxChange,
                   std::vector<uint8_t>& out);
