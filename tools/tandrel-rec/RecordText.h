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
// The same a piece at a time, for a file of any size: the header, the lines of each run of
// whole records in order, and the tail line of a partial record (nothing for none).
void AppendTextHeader(std::string& out);
void AppendRecordsText(std::string& out, std::span<const uint8_t> wholeRecords);
void AppendTailText(std::string& out, std::span<const uint8_t> tail);

struct TextError {
    int64_t line;  // 1-based
    std::string message;
};

// Reads a text form into the recording file's bytes, appended to bytes. On an error it answers
// false with the first wrong line, and bytes is left as it was.
bool ReadRecordingText(std::string_view text, std::vector<uint8_t>& bytes, TextError& error);

// The same a piece at a time: ReadTextLines for each run of whole lines in order (each ending
// in a line feed, the last piece of the text perhaps without), the reader starting as
// TextReader{}, then FinishText. On an error the bytes appended so far are not taken back.
struct TextReader {
    int64_t lineNumber;  // lines read so far
    int64_t tailLine;    // the line of the tail, 0 before one
    bool headerSeen;
};
bool ReadTextLines(TextReader& reader, std::string_view lines, std::vector<uint8_t>& bytes, TextError& error);
bool FinishText(const TextReader& reader, TextError& error);
