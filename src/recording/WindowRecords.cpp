// The window records' codec: a window's identity as a group of 16-byte records and back.
#include "recording/WindowRecords.h"

#include <cstring>

namespace {

uint32_t TextBytes(const char* text, uint32_t room)
{
    uint32_t n = 0;
    while (n + 1 < room && text[n] != '\0') ++n;
    return n;
}

int32_t Int32Of(const uint8_t* b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                                static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24);
}

void BytesOfInt32(int32_t value, uint8_t* b)
{
    const auto u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(u >> (8 * i));
}

// The 11 name bytes of a WindowName record, in file order.
void NameBytesOf(const InputRecord& record, uint8_t bytes[WindowNameBytesPerRecord])
{
    const auto code = static_cast<uint16_t>(record.code);
    bytes[0] = static_cast<uint8_t>(code);
    bytes[1] = static_cast<uint8_t>(code >> 8);
    bytes[2] = static_cast<uint8_t>(record.down);
    BytesOfInt32(record.x, bytes + 3);
    BytesOfInt32(record.y, bytes + 7);
}

InputRecord NameRecordOf(const uint8_t bytes[WindowNameBytesPerRecord])
{
    InputRecord record{};
    record.kind = WindowName;
    record.code = static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | bytes[1] << 8));
    record.down = static_cast<int8_t>(bytes[2]);
    record.x = Int32Of(bytes + 3);
    record.y = Int32Of(bytes + 7);
    return record;
}

}  // namespace

bool IsWindowRecordKind(int8_t kind)
{
    return kind == WindowPlace || kind == WindowSize || kind == WindowName;
}

uint32_t EncodeWindowRecords(const WindowIdentity& window, InputRecord* records)
{
    const uint32_t programBytes = TextBytes(window.program, WindowProgramBytes);
    const uint32_t classBytes = TextBytes(window.windowClass, WindowClassBytes);
    records[0] = InputRecord{WindowPlace, static_cast<int16_t>(programBytes), 0, 0, window.left, window.top};
    records[1] = InputRecord{WindowSize, static_cast<int16_t>(classBytes), 0, 0, window.width, window.height};
    uint32_t count = 2;
    uint8_t bytes[WindowNameBytesPerRecord] = {};
    uint32_t used = 0;
    for (uint32_t i = 0; i < programBytes + classBytes; ++i) {
        bytes[used++] =
            static_cast<uint8_t>(i < programBytes ? window.program[i] : window.windowClass[i - programBytes]);
        if (used == WindowNameBytesPerRecord) {
            records[count++] = NameRecordOf(bytes);
            std::memset(bytes, 0, sizeof bytes);
            used = 0;
        }
    }
    if (used != 0) records[count++] = NameRecordOf(bytes);
    return count;
}

void ResetWindowRecordReader(WindowRecordReader& reader)
{
    std::memset(&reader, 0, sizeof reader);
}

WindowRecordStep ReadWindowRecord(WindowRecordReader& reader, const InputRecord& record)
{
    if (!IsWindowRecordKind(record.kind)) {
        reader.expect = 0;
        return WindowRecordStep::NotWindow;
    }
    if (record.kind == WindowPlace) {
        ResetWindowRecordReader(reader);
        reader.programBytes = static_cast<uint16_t>(record.code);
        if (reader.programBytes >= WindowProgramBytes) return WindowRecordStep::Malformed;
        reader.window.left = record.x;
        reader.window.top = record.y;
        reader.expect = WindowSize;
        return WindowRecordStep::Incomplete;
    }
    if (record.kind != reader.expect) {
        reader.expect = 0;
        return WindowRecordStep::Malformed;
    }
    if (record.kind == WindowSize) {
        reader.classBytes = static_cast<uint16_t>(record.code);
        if (reader.classBytes >= WindowClassBytes) {
            reader.expect = 0;
            return WindowRecordStep::Malformed;
        }
        reader.window.width = record.x;
        reader.window.height = record.y;
        reader.expect = WindowName;
        if (reader.programBytes + reader.classBytes != 0) return WindowRecordStep::Incomplete;
        reader.expect = 0;
        return WindowRecordStep::Complete;
    }
    uint8_t bytes[WindowNameBytesPerRecord];
    NameBytesOf(record, bytes);
    const uint32_t total = reader.programBytes + reader.classBytes;
    for (uint32_t i = 0; i < WindowNameBytesPerRecord && reader.namesRead < total; ++i) {
        const auto c = static_cast<char>(bytes[i]);
        // A zero would end the name early, and the text form could not show it.
        if (c == '\0') {
            reader.expect = 0;
            return WindowRecordStep::Malformed;
        }
        if (reader.namesRead < reader.programBytes)
            reader.window.program[reader.namesRead] = c;
        else
            reader.window.windowClass[reader.namesRead - reader.programBytes] = c;
        ++reader.namesRead;
    }
    if (reader.namesRead < total) return WindowRecordStep::Incomplete;
    reader.expect = 0;
    return WindowRecordStep::Complete;
}
