// The run log of unattended runs: a line when a run starts and one when it ends, in
// %LOCALAPPDATA%\Tandrel\Tandrel.log. Interactive runs write nothing there. Main thread only;
// a log that cannot be written changes nothing else.
#pragma once
#include "app/RunLogLine.h"

// Start-up of an unattended run, once the command line is read: takes the start time, the
// recording's full path, the speed and the repeats. Writes nothing yet.
void BeginRunLog();
// Writes the start line (once). Called when the playback has started, after its worker, so
// that the write never delays it; and before a start-up error's message box.
void WriteRunLogStart();
// How the run ended, as soon as the main thread knows it: a start-up error, or F9's cancel
// (which the worker's own end overrules when all passes had played). Nothing for an
// interactive run.
void NoteRunEnd(RunEnd end);
// The common exit, once the worker has ended (or been given up on): writes the end line of
// an unattended run, and its start line first if that was not written.
void EndRunLog();
