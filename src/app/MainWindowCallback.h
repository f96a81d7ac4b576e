// What each hook notification and the playback's end mean, by the Activity state.
#pragma once
#include <windows.h>

// Called by the main window's procedure before its own handling, for every message.
// Never consumes a message: always returns false.
bool MainWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
