// The proof that a PlaybackEndedMessage comes from our own worker. Any program can post that
// number to the main window, where it would bring the window back in the middle of a recording;
// the worker's own message carries two random numbers it drew at its start, which no other
// program can read, and only the end of the running worker, or of the last one, counts.
#pragma once
#include <windows.h>

// Worker thread, at its start: a fresh token; from now on only this worker's end counts.
void DrawPlaybackEndToken();
// Worker thread, at its end: posts PlaybackEndedMessage with the token to the main window.
void PostPlaybackEnded(HWND mainWindow);
// Main thread, on PlaybackEndedMessage: true once for the message the running or last worker
// posted; false for any other (forged, repeated, or one of an earlier worker).
bool TakePlaybackEnd(WPARAM wParam, LPARAM lParam);
