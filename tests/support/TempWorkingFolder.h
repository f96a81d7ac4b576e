// A fresh, empty working folder per test under the temp folder (the Records folder is
// relative to it), deleted with everything in it when the test leaves it.
#pragma once
#include <string>

// Creates a new folder under the temp folder and makes it the working directory.
void EnterFreshWorkingFolder();
// Returns to the previous working directory and deletes the folder with all it holds.
void LeaveWorkingFolder();
// The full path of the folder entered last, without a trailing backslash.
const std::wstring& WorkingFolder();
