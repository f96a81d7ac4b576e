// The Input record: 16 bytes per input event, the whole content of a recording file.
#pragma once
#include <cstddef>
#include <cstdint>

#include "recording/RecordKinds.h"

#pragma pack(push, 1)
struct InputRecord {
    int8_t kind;    // RecordKind (RecordKinds.def)
    int16_t code;   // Key: virtual-key code; Button: the button's message number; else 0
    int8_t down;    // Key: 1 pressed, 0 released; else 0
    int32_t delay;  // milliseconds since the previous record (the first: since the start)
    int32_t x;      // Move: screen x
    int32_t y;      // Move: screen y; Wheel, HorizontalWheel: signed notches; X button: 1 or 2
};
#pragma pack(pop)
static_assert(sizeof(InputRecord) == 16, "an Input record is 16 packed bytes");

constexpr size_t InputRecordSize = 16;

// Little-endian byte images, independent of the host's byte order.
void EncodeInputRecord(const InputRecord& record, uint8_t bytes[InputRecordSize]);
InputRecord DecodeInputRecord(const uint8_t bytes[InputRecordSize]);
