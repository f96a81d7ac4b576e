// The input dialog: asks for one line of text, modal on the calling thread.
#pragma once
#include <string>

// Returns the confirmed text, or the empty text when cancelled. Main thread only; never two
// at once.
std::wstring InputDialog(const wchar_t* title, const wchar_t* prompt, const wchar_t* defaultText);
