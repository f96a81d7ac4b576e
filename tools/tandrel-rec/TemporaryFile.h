// The temporary file that pack and the edits write before it is put in place, known to whatever
// ends a run early, so that nothing is left behind: Ctrl+C, SIGTERM, the terminal's hangup (on
// Windows the console's control events: Ctrl+C, Ctrl+Break, the console's close, logoff and
// shutdown) and memory that runs out remove it, and the output stays as it was.
//
// Used on the main thread in this order: BeginCreating and EndCreating around the file's
// creation, then BeginSettling before it is renamed or removed, then EndTemporary. An
// interruption runs in a signal handler (POSIX) or on a thread of the system's (Windows); it
// waits while the file is being created or settled, so that it removes only a file of the
// tool's own, and the output is either complete or untouched.
#pragma once
#include <string>

// Installs the handlers; a signal that was ignored when the tool started (nohup) stays ignored.
void WatchInterruptions();
// Takes note of the temporary file's name before it is created; false when the name is too
// long to keep. EndCreating says whether the file was created (only then is it removed).
bool BeginCreating(const std::string& path);
void EndCreating(bool created);
// From here the main thread renames or removes the file itself. False when an interruption has
// taken the file already (Windows: the process is ending); then it must not be touched.
bool BeginSettling();
// The temporary file is settled: nothing to remove any more.
void EndTemporary();
// Removes the temporary file at once, if any (memory ran out, the run is about to end).
void RemoveTemporaryNow();
