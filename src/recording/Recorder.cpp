// STUB: replaced by the recording work.
#include "recording/Recorder.h"
bool StartRecording() { return false; }
void SetReferenceTimeToNow() {}
void RecordHookEvent(uintptr_t, intptr_t) {}
void StopRecording() {}
bool IsRecordingFileOpen() { return false; }
