// The character filter in front of the main window's Repeat count field.
#pragma once
#include <windows.h>

// Puts RepeatCountFilter in front of the field's own window procedure (once per field).
void PlaceRepeatCountFilter(HWND field);
// Swallows typed characters other than digits, Backspace and a first comma; passes every
// other message on to the field.
LRESULT CALLBACK RepeatCountFilter(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
