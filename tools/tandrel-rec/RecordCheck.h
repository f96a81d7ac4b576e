// Whether the program plays a recording exactly as it is written, and where it does not.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct CheckFinding {
    int64_t record;  // 1-based; a partial record at the end counts as the one after the last
    std::string what;
};

// Pauses longer than this are reported: more likely a forgotten recording than a wait.
constexpr int32_t LongestPlainPause = 3600000;

// The findings in record order; none when the file plays exactly as written.
std::vector<CheckFinding> CheckRecording(std::span<const uint8_t> bytes);
// "record 12 (byte 176): ..."
std::string FormatFinding(const CheckFinding& finding);
