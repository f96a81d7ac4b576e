// The window records' codec: a window's identity as a group of 16-byte records and back.
#include "recording/WindowRecords.h"

#include <cstring>

#include "recording/NameRecords.h"

bool IsWindowRecordKind(int8_t kind)
{
    return HasRecordRole(kind, RecordRole::WindowGroup);
}

uint32_t EncodeWindowRecords(const WindowIdentity& window, InputRecord* records)
{
    const uint32_t programBytes = NameTextBytes(window.program, WindowProgramBytes);
    const uint32_t classBytes = NameTextBytes(window.windowClass, WindowClassBytes);
    records[0] = InputRecord{WindowPlace, static_cast<int16_t>(programBytes), 0, 0, window.left, window.top};
    records[1] = InputRecord{WindowSize, static_cast<int16_t>(classBytes), 0, 0, window.width, window.height};
    uint32_t count = 2;
    uint8_t bytes[NameBytesPerRecord] = {};
    uint32_t used = 0;
    for (uint32_t i = 0; i < programBytes + classBytes; ++i) {
        bytes[used++] =
            static_cast<uint8_t>(i < programBytes ? window.program[i] : window.windowClass[i - programBytes]);
        if (used == NameBytesPerRecord) {
            records[count++] = NameRecordOf(WindowName, bytes);
            std::memset(bytes, 0, sizeof bytes);
            used = 0;
        }
    }
    if (used != 0) records[count++] = NameRecordOf(WindowName, bytes);
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
    uint8_t bytes[NameBytesPerRecord];
    NameBytesOf(record, bytes);
    const uint32_t total = reader.programBytes + reader.classBytes;
    for (uint32_t i = 0; i < NameBytesPerRecord && reader.namesRead < total; ++i) {
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
