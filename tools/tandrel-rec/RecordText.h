// The text form of a recording: made to be read and edited by hand, and packed back into
// exactly the same bytes. docs/recording-format.md describes it.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The first line of every text form; the number is the version of the format.
constexpr std::string_view TextFormatName = "tandrel-rec";
constexpr int TextFormatVersion = 1;

// Appends the text form of a recording file's bytes to out: a header line, then one line per
// record (record n on line n + 1), then a tail line for a partial record at the end.
void AppendRecordingText(std::string& out, std::span<const uint8_t> bytes);

struct TextError {
    int64_t line;  // 1-based
    std::string message;
};

// Reads a text form into the recording file's bytes, appended to bytes. On an error it answers
// false with the first wrong line, and bytes is left as it was.
bool ReadRecordingText(std::string_view text, std::vector<uint8_t>& bytes, TextError& error);
