// The recorder (see Recorder.h). Its write buffer goes to the file when it is full, when a
// record comes a second or more after the last write, and whenever the window callback's flush
// timer asks.
#include "recording/Recorder.h"

#include <windows.h>

#include "core/MillisecondClock.h"
#include "library/RecordsFolder.h"
#include "recording/ControlRecords.h"
#include "recording/InputRecord.h"
#include "recording/InputRecordFromHookEvent.h"
#include "recording/RecordingFileWrite.h"
#include "recording/WindowRecords.h"

namespace {

// A whole number of records, so a record never straddles two writes.
constexpr uint32_t WriteBufferSize = 4096;
static_assert(WriteBufferSize % InputRecordSize == 0, "the buffer holds whole records");

struct WriteBuffer {
    uint8_t bytes[WriteBufferSize];
    uint32_t used;
};

// The open recording file, INVALID_HANDLE_VALUE when none is open. Opened by StartRecording
// and closed by StopRecording, on the main thread; read by RecordHookEventAt.
HANDLE gRecordingFile = INVALID_HANDLE_VALUE;
// Records not yet written to gRecordingFile. Filled by RecordHookEventAt, written out when
// full, after a second, by FlushRecording and by StopRecording; main thread only.
WriteBuffer gWriteBuffer;
// Clock value of the last record's event, or of the start of the recording. Written by
// SetReferenceTime and RecordHookEventAt, main thread only.
uint32_t gReferenceTime = 0;
// Clock value (an event's time) at which the buffer was last written out because of its
// age, or the start of the recording. Written and read by SetReferenceTime and
// RecordHookEventAt, main thread only.
uint32_t gLastWriteOutTime = 0;
// True once a write of the open recording has failed or written short; nothing more is
// recorded then. Cleared by StartRecording, set by WriteOutBuffer; read by RecordHookEventAt,
// FlushRecording and StopRecording. Main thread only.
bool gWriteFailed = false;
// The serial number (HookEvent::windowSerial) of the window whose records were written last, 0
// before the first of a recording. Cleared by StartRecording, set by RecordEventWindow; main
// thread only.
uint32_t gLastWindowSerial = 0;
// True from a window group's records until the press they belong to: its control's group, if it
// has one, must follow, whatever control the press before it had. Set by RecordEventWindow,
// cleared by RecordEventControl and RecordHookEventAt; main thread only.
bool gWindowGroupWritten = false;
// The serial number (HookEvent::controlSerial) of the previous press's control, 0 when that
// press went to none or before the first of a recording. Cleared by StartRecording, set by
// RecordEventControl; main thread only.
uint32_t gLastControlSerial = 0;

// A write that stopped within a record leaves a piece of it at the end of the file; the
// file is cut back to its last whole record, so that what is kept plays as it was recorded.
void CutToWholeRecords()
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(gRecordingFile, &size)) return;
    LARGE_INTEGER whole;
    whole.QuadPart = size.QuadPart - size.QuadPart % InputRecordSize;
    if (whole.QuadPart == size.QuadPart) return;
    if (SetFilePointerEx(gRecordingFile, whole, nullptr, FILE_BEGIN)) SetEndOfFile(gRecordingFile);
}

void WriteOutBuffer()
{
    if (gWriteBuffer.used == 0 || gWriteFailed) return;
    uint32_t written = 0;
    const bool wrote = WriteRecordingFile(gRecordingFile, gWriteBuffer.bytes, gWriteBuffer.used, written);
    if (!wrote || written != gWriteBuffer.used) {
        gWriteFailed = true;
        CutToWholeRecords();
    }
    gWriteBuffer.used = 0;
}

// True when the buffer was full and has been written out.
bool PutRecord(const InputRecord& record)
{
    EncodeInputRecord(record, gWriteBuffer.bytes + gWriteBuffer.used);
    gWriteBuffer.used += InputRecordSize;
    if (gWriteBuffer.used != WriteBufferSize) return false;
    WriteOutBuffer();
    return true;
}

bool AppendRecord(InputRecord& record, uint32_t time)
{
    // Events come in the order the hook thread timed them; a time before the last one (the
    // Reference time of a test, say) waits nothing rather than a negative delay.
    const int32_t delay = MillisecondsBetween(gReferenceTime, time);
    record.delay = delay > 0 ? delay : 0;
    if (delay > 0) gReferenceTime = time;
    if (!PutRecord(record) &&
        MillisecondsBetween(gLastWriteOutTime, time) >= static_cast<int32_t>(RecordingWriteOutMilliseconds)) {
        // Input that never pauses can keep the flush timer's message from ever being handled.
        WriteOutBuffer();
        gLastWriteOutTime = time;
    }
    return !gWriteFailed;
}

}  // namespace

bool StartRecording()
{
    if (IsRecordingFileOpen()) StopRecording();
    gRecordingFile = CreateFileW(TempRecordPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (gRecordingFile == INVALID_HANDLE_VALUE) {
        // Creating over an existing file fails when, for instance, that file is hidden;
        // emptying it in place still works then.
        gRecordingFile = CreateFileW(TempRecordPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, TRUNCATE_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    gWriteBuffer.used = 0;
    gWriteFailed = false;
    gLastWindowSerial = 0;
    gWindowGroupWritten = false;
    gLastControlSerial = 0;
    return gRecordingFile != INVALID_HANDLE_VALUE;
}

void SetReferenceTime(uint32_t time)
{
    gReferenceTime = time;
    gLastWriteOutTime = time;
}

bool RecordHookEventAt(const HookEvent& event)
{
    if (gRecordingFile == INVALID_HANDLE_VALUE) return true;
    if (gWriteFailed) return false;
    InputRecord record;
    gWindowGroupWritten = false;
    if (!InputRecordFromHookEvent(event, record)) return true;
    return AppendRecord(record, event.time);
}

bool RecordEventWindow(uint32_t windowSerial, const WindowIdentity& window)
{
    if (gRecordingFile == INVALID_HANDLE_VALUE) return true;
    if (gWriteFailed) return false;
    if (windowSerial == 0 || windowSerial == gLastWindowSerial) return true;
    gLastWindowSerial = windowSerial;
    // Delay 0 each: the event after them keeps its delay, and a player that skips them plays
    // the file as it would without them.
    InputRecord records[MaxWindowRecords];
    const uint32_t count = EncodeWindowRecords(window, records);
    for (uint32_t i = 0; i < count; ++i) PutRecord(records[i]);
    gWindowGroupWritten = true;
    return !gWriteFailed;
}

bool RecordEventControl(uint32_t controlSerial, const ControlIdentity& control)
{
    if (gRecordingFile == INVALID_HANDLE_VALUE) return true;
    if (gWriteFailed) return false;
    const bool afterWindowGroup = gWindowGroupWritten;
    gWindowGroupWritten = false;
    const uint32_t previous = gLastControlSerial;
    gLastControlSerial = controlSerial;
    if (controlSerial == 0 || (controlSerial == previous && !afterWindowGroup)) return true;
    InputRecord records[MaxControlRecords];
    const uint32_t count = EncodeControlRecords(control, records);
    for (uint32_t i = 0; i < count; ++i) PutRecord(records[i]);
    return !gWriteFailed;
}

bool FlushRecording()
{
    if (gRecordingFile == INVALID_HANDLE_VALUE) return true;
    WriteOutBuffer();
    return !gWriteFailed;
}

bool StopRecording()
{
    if (gRecordingFile == INVALID_HANDLE_VALUE) return true;
    WriteOutBuffer();
    CloseHandle(gRecordingFile);
    gRecordingFile = INVALID_HANDLE_VALUE;
    return !gWriteFailed;
}

bool IsRecordingFileOpen()
{
    return gRecordingFile != INVALID_HANDLE_VALUE;
}
