// The name bytes of window and control groups (NameRecords.h).
#include "recording/NameRecords.h"

#include "core/LittleEndian.h"

uint32_t NameTextBytes(const char* text, uint32_t room)
{
    uint32_t n = 0;
    while (n + 1 < room && text[n] != '\0') ++n;
    return n;
}

void NameBytesOf(const InputRecord& record, uint8_t bytes[NameBytesPerRecord])
{
    PutUnsigned16(bytes, static_cast<uint16_t>(record.code));
    bytes[2] = static_cast<uint8_t>(record.down);
    PutUnsigned32(bytes + 3, static_cast<uint32_t>(record.x));
    PutUnsigned32(bytes + 7, static_cast<uint32_t>(record.y));
}

InputRecord NameRecordOf(int8_t kind, const uint8_t bytes[NameBytesPerRecord])
{
    InputRecord record{};
    record.kind = kind;
    record.code = static_cast<int16_t>(GetUnsigned16(bytes));
    record.down = static_cast<int8_t>(bytes[2]);
    record.x = static_cast<int32_t>(GetUnsigned32(bytes + 3));
    record.y = static_cast<int32_t>(GetUnsigned32(bytes + 7));
    return record;
}
