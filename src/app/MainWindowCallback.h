// What each hook event, the end of a playback and the end of the session mean, by the
// Activity state.
#pragma once
#include <windows.h>

// Called by the main window's procedure before its own handling, for every message.
// Never consumes a message: always returns false.
bool MainWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
