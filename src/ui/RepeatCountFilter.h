// The character filter in front of the main window's Repeat count field.
#pragma once
#include <windows.h>

// Puts RepeatCountFilter in front of the field's own window procedure (once per field).
void PlaceRepeatCountFilter(HWND field);
// Digits and Backspace pass; a comma passes only while the text has none (the field's
// digits-only style then refuses it with the platform's notice); every other typed character,
// Ctrl+letter shortcuts included, is swallowed. Every other message goes on to the field: a
// paste is no typed character and is not filtered.
LRESULT CALLBACK RepeatCountFilter(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
