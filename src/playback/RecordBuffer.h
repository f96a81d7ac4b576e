// The read buffer of the playback worker: 4096 bytes, 256 records per read from the disk,
// handed out one whole record at a time.
#pragma once
#include <cstdint>

#include "recording/InputRecord.h"

constexpr uint32_t RecordBufferSize = 4096;

struct RecordBuffer {
    uint8_t bytes[RecordBufferSize];
    uint32_t start;  // first byte not handed out yet
    uint32_t end;    // one past the last byte read from the file
};

// An empty buffer.
void ResetRecordBuffer(RecordBuffer& buffer);
// Hands out the next whole record, if the buffer holds one.
bool TakeRecord(RecordBuffer& buffer, InputRecord& record);
// Moves the bytes of a record that is not complete yet to the front and answers where the
// next read is to put its bytes (and how many fit there); the caller then adds what it read
// to `end`. Bytes that never make up a whole record are never handed out.
uint8_t* RecordBufferFreeSpace(RecordBuffer& buffer, uint32_t& freeBytes);
