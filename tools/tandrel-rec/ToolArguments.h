// The command line of tandrel-rec, read into one plain struct: the command, its file, its output
// and the options of that command, each checked for range.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RecordRescale.h"
#include "RecordRetime.h"
#include "RecordStrip.h"

struct Arguments {
    std::string command;
    std::vector<std::string> files;
    std::string output;  // commands that write a recording: the -o file, "-" for standard output
    bool force;
    int speed;                  // info: the speed divisor, 1 to 10
    uint32_t editOptionsGiven;  // an edit: bit i for its option i (ToolEdits.h), given at least once
    int editOptionCount;        // an edit: how many of its options were given, repeats counted
    RetimeOptions retime;       // retime
    int64_t minInterval;        // thin, ms
    StripKinds strip;           // strip
    ScreenSize from;            // rescale
    ScreenSize to;
    int64_t jitterMs;  // jitter
    uint64_t seed;
};

// dump, pack, info, check and the edits.
bool IsCommand(std::string_view name);
// The commands that write a recording or its text with -o: pack and the edits.
bool WritesFile(std::string_view command);

// Reads args (args[0] the command, one of the above); options may come before or after the
// file, as --name VALUE or --name=VALUE, and "-" alone is a file (standard input). False with
// the problem when something is missing, unknown, repeated where it may not be, or out of range.
bool ParseArguments(const std::vector<std::string>& args, Arguments& parsed, std::string& problem);

// A whole number of milliseconds, 0 to LongestDelay; a whole number of 64 bits.
bool ReadMilliseconds(std::string_view text, int64_t& milliseconds);
bool ReadWholeNumber(std::string_view text, uint64_t& value);
