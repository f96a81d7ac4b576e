// The recorder: turns hook notifications into Input records and appends them to
// Records\TempRecord.rec through a 4096-byte write buffer. A write that fails (a full disk,
// say) ends the recording; the file keeps what reached it, in whole records.
#include "recording/Recorder.h"

#include <windows.h>

#include "library/RecordsFolder.h"
#include "recording/InputRecord.h"
#include "recording/InputRecordFromHookEvent.h"
#include "recording/MillisecondClock.h"

namespace {

// A whole number of records, so a record never straddles two writes.
constexpr uint32_t WriteBufferSize = 4096;
static_assert(WriteBufferSize % InputRecordSize == 0, "the buffer holds whole records");

struct WriteBuffer {
    uint8_t bytes[WriteBufferSize];
    uint32_t used;
};

// The open recording file, INVALID_HANDLE_VALUE when none is open. Opened by StartRecording
// and closed by StopRecording, on the main thread; read by RecordHookEvent.
HANDLE gRecordingFile = INVALID_HANDLE_VALUE;
// Records not yet written to gRecordingFile. Filled by RecordHookEvent, written out when full
// and by StopRecording; main thread only.
WriteBuffer gWriteBuffer;
// Clock value of the last record written, or of the start of the recording. Written by
// SetReferenceTimeToNow and RecordHookEvent, main thread only.
uint32_t gReferenceTime = 0;
// True once a write of the open recording has failed or written short; nothing more is
// recorded then. Cleared by StartRecording, set by WriteOutBuffer; read by RecordHookEvent
// and StopRecording. Main thread only.
bool gWriteFailed = false;

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
    DWORD written = 0;
    const BOOL wrote = WriteFile(gRecordingFile, gWriteBuffer.bytes, gWriteBuffer.used, &written, nullptr);
    if (!wrote || written != gWriteBuffer.used) {
        gWriteFailed = true;
        CutToWholeRecords();
    }
    gWriteBuffer.used = 0;
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
    return gRecordingFile != INVALID_HANDLE_VALUE;
}

void SetReferenceTimeToNow()
{
    gReferenceTime = ReadMillisecondClock();
}

bool RecordHookEvent(uintptr_t wParam, intptr_t lParam)
{
    if (gRecordingFile == INVALID_HANDLE_VALUE) return true;
    if (gWriteFailed) return false;
    InputRecord record;
    if (!InputRecordFromHookEvent(wParam, lParam, record)) return true;
    // One reading serves as this record's end and the next record's start, so no time is
    // lost between records.
    uint32_t now = ReadMillisecondClock();
    record.delay = MillisecondsBetween(gReferenceTime, now);
    gReferenceTime = now;
    EncodeInputRecord(record, gWriteBuffer.bytes + gWriteBuffer.used);
    gWriteBuffer.used += InputRecordSize;
    if (gWriteBuffer.used == WriteBufferSize) WriteOutBuffer();
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
