// Whole-file reads and writes and existence checks for the Win32 tests, on the real file
// system.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Creates or replaces the file with exactly these bytes; the test fails when it cannot.
void WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes);
// Every byte of the file; empty when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::wstring& path);
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
