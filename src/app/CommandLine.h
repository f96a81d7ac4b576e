// Splitting the process command line into words and reading the options from them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Words are separated by spaces (not tabs); a word that starts with a double quote runs to
// the next one. Word 0 is the program's own path.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);

struct CommandLineSettings {
    int32_t speedDivisor;       // 1 unless "/speed" was given, then 2 to 10
    int32_t repeatCount;        // "/repeats", not clamped; 0 when absent
    std::wstring playbackPath;  // the last parameter that is not an option
};

// Reads the parameters (every word after word 0) into settings, which holds the start values.
void ReadCommandLineParameters(const std::vector<std::wstring>& words, CommandLineSettings* settings);
