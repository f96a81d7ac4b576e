// One Tandrel with its window per desktop, and the F9 of a copy beside a playing one.
//
// Each claim is a named pipe that the claiming copy serves (a thread of its own answers every
// caller), named after the session and the desktop. Another program can create or hold these
// names too, so none is taken on its word: the system reports which process serves the pipe a
// caller reached (GetNamedPipeServerProcessId), that process must run this program's own file,
// and a window it names must be its own and answer. A squatter can at most keep a start from
// handing over (it then starts as a copy of its own) or keep a copy from claiming a name; it
// can no longer speak for a Tandrel that runs, or for one it started suspended.
#pragma once
#include <windows.h>

enum class HandOver {
    Claimed,     // no other copy: this one has the desktop (or starts as it would without a claim)
    HandedOver,  // the running copy's window is in front: this start ends
    NoAnswer,    // a copy runs but did not answer in time: this one starts all the same
};

// Main thread, start-up of an interactive run, before any hook: asks the copy that serves this
// desktop's pipe for its window; when it is this program's and answers, brings it to the front
// (restored, if it is shown; a recording or a playback keeps it hidden). Otherwise claims the
// desktop for this copy. The answer is waited for for at most 2 s, a copy still opening its
// window for at most 5 s.
HandOver HandOverToRunningCopy();
// Main thread, once the window is open: tells a later start which window to bring forward.
void PublishMainWindow(HWND window);
// Main thread, unattended start: this process plays, for the F9 of the other copies, until
// it ends.
void MarkPlaying();
// Main thread, F9 while nothing runs here: true when another copy of this program on this
// desktop plays, whose cancel the F9 is.
bool IsAnotherCopyPlaying();
