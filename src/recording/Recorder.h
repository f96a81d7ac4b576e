// The recorder: one Input record per hook event while recording, appended to
// Records\TempRecord.rec through a write buffer that goes to the file at least once a second.
// Main thread only.
#pragma once
#include <cstdint>

#include "core/ControlIdentity.h"
#include "core/HookEvent.h"
#include "core/WindowIdentity.h"

// How long a record may wait in the write buffer: a killed program loses at most this much.
constexpr uint32_t RecordingWriteOutMilliseconds = 1000;

// Creates (empties) Records\TempRecord.rec; false when it cannot be created.
bool StartRecording();
// The Reference time (the start of a recording) becomes the time of the event that started it
// (the F9 press as the hook thread timed it).
void SetReferenceTime(uint32_t time);
// One hook event as the hook thread copied and timed it becomes one record; its delay is the
// time since the previous record's event (or the Reference time).
// False when a write of the recording has failed (now or before): the recording is to end
// with StopRecording, and nothing more is recorded.
bool RecordHookEventAt(const HookEvent& event);
// Called before RecordHookEventAt of a press or wheel turn that has a window: when that window
// is another than the last one written (or the recording's first), its window records go to
// the file first (recording/WindowRecords.h). False as for RecordHookEventAt.
bool RecordEventWindow(uint32_t windowSerial, const WindowIdentity& window);
// Called for each press or wheel turn that has a window, after RecordEventWindow and right
// before RecordHookEventAt: when the press went to a control (`control`, noted under
// `controlSerial`; serial 0 for a press that went to none) and that control is another than the
// previous press's, or a window group has just been written, the control's records go to the
// file (recording/ControlRecords.h). A press that went to no control writes nothing, so a
// control group always stands right before the press it belongs to. False as for
// RecordHookEventAt.
bool RecordEventControl(uint32_t controlSerial, const ControlIdentity& control);
// Writes out what the buffer holds, so that it is on disk however the program ends; called
// about twice a second while recording. False as for RecordHookEventAt.
bool FlushRecording();
// Writes out the buffer and closes the file. False when a write of the recording failed or
// wrote short: the file then ends after its last whole record, and later records are lost.
bool StopRecording();
// True while a recording file is open (between StartRecording and StopRecording).
bool IsRecordingFileOpen();
