// A recording left in Records\TempRecord.rec (by a kill, a crash, a log-off, a name the file
// system refused) is kept under a name of its own before a new recording empties that file.
#pragma once
#include <string>

// Main thread, before a recording starts. When TempRecord.rec holds anything at all (a torn
// record too), it is renamed to the first free "Unterbrochene Aufzeichnung N" (N from 1),
// which the name rule accepts and the list shows. True when nothing needs keeping or it was
// kept; false when the rename failed: TempRecord.rec is then as it was, and no recording may
// start.
bool KeepLeftoverRecording();
// The name of the N-th kept leftover.
std::wstring LeftoverRecordingName(unsigned number);
