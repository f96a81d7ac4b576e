// Whole records out of a byte stream read in large pieces. A trailing piece shorter than a
// record (a file cut short) stays behind and is never played.
#include "playback/RecordBuffer.h"

#include <cstring>

void ResetRecordBuffer(RecordBuffer& buffer)
{
    buffer.start = 0;
    buffer.end = 0;
}

bool TakeRecord(RecordBuffer& buffer, InputRecord& record)
{
    if (buffer.end - buffer.start < InputRecordSize) {
        return false;
    }
    record = DecodeInputRecord(buffer.bytes + buffer.start);
    buffer.start += InputRecordSize;
    return true;
}

uint8_t* RecordBufferFreeSpace(RecordBuffer& buffer, uint32_t& freeBytes)
{
    const uint32_t left = buffer.end - buffer.start;
    if (buffer.start > 0) {
        std::memmove(buffer.bytes, buffer.bytes + buffer.start, left);
        buffer.start = 0;
        buffer.end = left;
    }
    freeBytes = RecordBufferSize - buffer.end;
    return buffer.bytes + buffer.end;
}
