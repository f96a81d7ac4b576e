// One Tandrel with its window per desktop, and the F9 of a copy beside a playing one.
//
// Names of this program's objects are session-local (Local\), so another session can neither
// see nor block them, and hold the desktop's name. Anything another program of the session
// can create or hold them too, so none is taken on its word: the process it names must run
// this program's own file, and the effect ends when that process ends.
#pragma once
#include <windows.h>

// Main thread, start-up of an interactive run, before any hook: when a copy of this program
// with its window runs on this desktop, brings that window to the front (restored, if it is
// shown; a recording or a playback keeps it hidden) and returns true, and the caller ends.
// Otherwise claims the desktop for this copy and returns false; when the claim cannot be
// made, this copy starts all the same, as it would without it.
bool HandOverToRunningCopy();
// Main thread, once the window is open: tells a later start which window to bring forward.
void PublishMainWindow(HWND window);
// Main thread, unattended start: this process plays, for the F9 of the other copies, until
// it ends.
void MarkPlaying();
// Main thread, F9 while nothing runs here: true when another copy of this program on this
// desktop plays, whose cancel the F9 is.
bool IsAnotherCopyPlaying();
