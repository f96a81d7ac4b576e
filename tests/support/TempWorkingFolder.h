// A fresh, empty working folder per test (the Records folder is relative to it), and small
// file helpers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Creates a new folder under the temp folder and makes it the working directory.
void EnterFreshWorkingFolder();
// Returns to the previous working directory and deletes the folder with all it holds.
void LeaveWorkingFolder();

void WriteWholeFile(const std::wstring& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadWholeFile(const std::wstring& path);  // empty when it cannot be read
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
