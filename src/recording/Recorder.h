// The recorder: one Input record per hook notification while recording, appended to
// Records\TempRecord.rec through a write buffer. Main thread only.
#pragma once
#include <cstdint>

// Creates (empties) Records\TempRecord.rec; false when it cannot be created.
bool StartRecording();
// The Reference time becomes the clock's current value (at the start of a recording).
void SetReferenceTimeToNow();
// One hook notification (wParam the input message, lParam per kind) becomes one record.
// False when a write of the recording has failed (now or before): the recording is to end
// with StopRecording, and nothing more is recorded.
bool RecordHookEvent(uintptr_t wParam, intptr_t lParam);
// Writes out the buffer and closes the file. False when a write of the recording failed or
// wrote short: the file then ends after its last whole record, and later records are lost.
bool StopRecording();
// True while a recording file is open (between StartRecording and StopRecording).
bool IsRecordingFileOpen();
