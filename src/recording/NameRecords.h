// The name bytes that window and control groups carry: 11 bytes of UTF-8 to a record, in the
// bytes of code, down, x and y in file order (the delay bytes stay 0), the last one padded
// with zeros. Pure logic, shared by both groups' codecs.
#pragma once
#include <cstdint>

#include "recording/InputRecord.h"

constexpr uint32_t NameBytesPerRecord = 11;

// The length of `text` up to its zero, at most room - 1.
uint32_t NameTextBytes(const char* text, uint32_t room);
void NameBytesOf(const InputRecord& record, uint8_t bytes[NameBytesPerRecord]);
InputRecord NameRecordOf(int8_t kind, const uint8_t bytes[NameBytesPerRecord]);
