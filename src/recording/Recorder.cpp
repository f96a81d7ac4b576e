// The recorder: turns hook notifications into Input records and appends them to
// Records\TempRecord.rec through a 4096-byte write buffer.
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

void WriteOutBuffer()
{
    if (gWriteBuffer.used == 0) return;
    DWORD written = 0;
    // A failed write is not noticed: recording goes on, and the buffer is free again.
    WriteFile(gRecordingFile, gWriteBuffer.bytes, gWriteBuffer.used, &written, nullptr);
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
    return gRecordingFile != INVALID_HANDLE_VALUE;
}

void SetReferenceTimeToNow()
{
    gReferenceTime = ReadMillisecondClock();
}

void RecordHookEvent(uintptr_t wParam, intptr_t lParam)
{
    if (gRecordingFile == INVALID_HANDLE_VALUE) return;
    InputRecord record;
    if (!InputRecordFromHookEvent(wParam, lParam, record)) return;
    // One reading serves as this record's end and the next record's start, so no time is
    // lost between records.
    uint32_t now = ReadMillisecondClock();
    record.delay = MillisecondsBetween(gReferenceTime, now);
    gReferenceTime = now;
    EncodeInputRecord(record, gWriteBuffer.bytes + gWriteBuffer.used);
    gWriteBuffer.used += InputRecordSize;
    if (gWriteBuffer.used == WriteBufferSize) WriteOutBuffer();
}

void StopRecording()
{
    if (gRecordingFile == INVALID_HANDLE_VALUE) return;
    WriteOutBuffer();
    CloseHandle(gRecordingFile);
    gRecordingFile = INVALID_HANDLE_VALUE;
}

bool IsRecordingFileOpen()
{
    return gRecordingFile != INVALID_HANDLE_VALUE;
}
