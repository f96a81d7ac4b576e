// The input dialog: asks for one line of text, modal on the calling thread.
#pragma once
#include <string>

// A small window with the prompt, an entry field and an OK button. OK and Enter confirm;
// Escape and the close box cancel; Tab does nothing (the dialog has no dialog navigation). Like
// the platform's dialogs it gives the focus back to the child that had it when it is activated
// again (by Alt+Tab or a click), so typing goes on in the entry field. It is laid out at the
// DPI of the display it is on, and again when that changes.
// Returns the confirmed text, or the empty text when cancelled. Main thread only; a window
// callback may open a second one while the first waits.
std::wstring InputDialog(const wchar_t* title, const wchar_t* prompt, const wchar_t* defaultText);
