// The files of tandrel-rec: reading one whole, and writing a new one so that it appears only
// once complete and replaces nothing unless asked to. A path of "-" is standard input or output.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The text of an errno value.
std::string ErrorText(int error);
// How a path is named in messages: "<stdin>" for "-".
std::string DisplayName(const std::string& path);

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& problem);
bool WriteStandardOutput(std::span<const uint8_t> bytes);

// Whether two paths name the same existing file (through links too).
bool IsSameFile(const std::string& a, const std::string& b);

// Writes to a temporary file beside path, then puts it in place: without force only where no
// file exists (a hard link, so nothing can be replaced in between), with force by a rename.
// On failure nothing is left behind and an existing file is as it was.
bool WriteFileSafely(const std::string& path, std::span<const uint8_t> bytes, bool force, std::string& problem);
