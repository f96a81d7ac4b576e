// Recordings for the tool's tests, built from records and read back into them.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "recording/InputRecord.h"

using Bytes = std::vector<uint8_t>;

void Append(Bytes& bytes, const InputRecord& record);
Bytes Recording(std::initializer_list<InputRecord> records);
Bytes Recording(const std::vector<InputRecord>& records);
// The text form, as dump writes it: a failure shows the records line by line.
std::string Dump(const Bytes& bytes);
// The whole records of a file.
std::vector<InputRecord> RecordsOf(const Bytes& bytes);
// The delay of each whole record.
std::vector<int32_t> DelaysOf(const Bytes& bytes);
// When each whole record is due, as the player counts (negative delays as 0).
std::vector<int64_t> DueTimesOf(const Bytes& bytes);
