// The input dialog and the message boxes, both modal on the calling thread.
#pragma once
#include <string>

// Returns the confirmed text, or the empty text when cancelled. Main thread only; never two
// at once.
std::wstring InputDialog(const wchar_t* title, const wchar_t* prompt, const wchar_t* defaultText);
// MessageBoxW under the modal guard; returns its answer (0 when it could not be shown).
int MessageDialog(const wchar_t* title, const wchar_t* text, unsigned style);
// The modal guard: disables and un-tops the calling thread's visible top-level windows, and
// puts them back.
void BeginModal();
void EndModal();
