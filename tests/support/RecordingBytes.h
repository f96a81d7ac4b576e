// The bytes of a recording file, made from Input records, for tests that write recordings.
#pragma once
#include <cstdint>
#include <vector>

#include "recording/InputRecord.h"

// The records' byte images one after the other, as a recording file holds them.
std::vector<uint8_t> RecordingBytes(const std::vector<InputRecord>& records);
