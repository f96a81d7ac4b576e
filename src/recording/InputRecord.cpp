// The Input record codec: the 16-byte little-endian image of one input event in a recording
// file. Written field by field so the file format does not depend on the host's byte order or
// on how the compiler lays out the packed struct.
#include "recording/InputRecord.h"

#include "core/LittleEndian.h"

void EncodeInputRecord(const InputRecord& record, uint8_t bytes[InputRecordSize])
{
    bytes[0] = static_cast<uint8_t>(record.kind);
    PutUnsigned16(bytes + 1, static_cast<uint16_t>(record.code));
    bytes[3] = static_cast<uint8_t>(record.down);
    PutUnsigned32(bytes + 4, static_cast<uint32_t>(record.delay));
    PutUnsigned32(bytes + 8, static_cast<uint32_t>(record.x));
    PutUnsigned32(bytes + 12, static_cast<uint32_t>(record.y));
}

InputRecord DecodeInputRecord(const uint8_t bytes[InputRecordSize])
{
    // Unsigned to signed keeps the bit pattern (two's complement), so 0xFFFFFFFF reads as -1.
    InputRecord record{};
    record.kind = static_cast<int8_t>(bytes[0]);
    record.code = static_cast<int16_t>(GetUnsigned16(bytes + 1));
    record.down = static_cast<int8_t>(bytes[3]);
    record.delay = static_cast<int32_t>(GetUnsigned32(bytes + 4));
    record.x = static_cast<int32_t>(GetUnsigned32(bytes + 8));
    record.y = static_cast<int32_t>(GetUnsigned32(bytes + 12));
    return record;
}
