// The control records' codec: a control's identity as a group of 16-byte records and back.
#include "recording/ControlRecords.h"

#include <cstring>

namespace {

int16_t Within16(int32_t value)
{
    if (value < 0) return 0;
    return static_cast<int16_t>(value > MaxControlPlace ? MaxControlPlace : value);
}

ControlRecordStep Fail(ControlRecordReader& reader)
{
    reader.expect = 0;
    return ControlRecordStep::Malformed;
}

}  // namespace

bool IsControlRecordKind(int8_t kind)
{
    return HasRecordRole(kind, RecordRole::ControlGroup);
}

uint32_t EncodeControlRecords(const ControlIdentity& control, InputRecord* records)
{
    const uint32_t classBytes = NameTextBytes(control.controlClass, WindowClassBytes);
    records[0] = InputRecord{ControlPlace, static_cast<int16_t>(classBytes), 0, 0, control.left, control.top};
    records[1] = InputRecord{ControlSize, Within16(control.dpi), 0, 0, control.width, control.height};
    records[2] = InputRecord{ControlId, Within16(control.place), 0, 0, control.id, 0};
    uint32_t count = 3;
    uint8_t bytes[NameBytesPerRecord] = {};
    uint32_t used = 0;
    for (uint32_t i = 0; i < classBytes; ++i) {
        bytes[used++] = static_cast<uint8_t>(control.controlClass[i]);
        if (used == NameBytesPerRecord) {
            records[count++] = NameRecordOf(ControlName, bytes);
            std::memset(bytes, 0, sizeof bytes);
            used = 0;
        }
    }
    if (used != 0) records[count++] = NameRecordOf(ControlName, bytes);
    return count;
}

void ResetControlRecordReader(ControlRecordReader& reader)
{
    std::memset(&reader, 0, sizeof reader);
}

ControlRecordStep ReadControlRecord(ControlRecordReader& reader, const InputRecord& record)
{
    if (!IsControlRecordKind(record.kind)) {
        reader.expect = 0;
        return ControlRecordStep::NotControl;
    }
    if (record.kind == ControlPlace) {
        ResetControlRecordReader(reader);
        reader.classBytes = static_cast<uint16_t>(record.code);
        if (reader.classBytes >= WindowClassBytes || record.down != 0 || record.delay != 0) return Fail(reader);
        reader.control.left = record.x;
        reader.control.top = record.y;
        reader.expect = ControlSize;
        return ControlRecordStep::Incomplete;
    }
    if (record.kind != reader.expect || record.delay != 0) return Fail(reader);
    if (record.kind == ControlSize) {
        if (record.code < 0 || record.down != 0) return Fail(reader);
        reader.control.dpi = record.code;
        reader.control.width = record.x;
        reader.control.height = record.y;
        reader.expect = ControlId;
        return ControlRecordStep::Incomplete;
    }
    if (record.kind == ControlId) {
        if (record.code < 0 || record.down != 0 || record.y != 0) return Fail(reader);
        reader.control.place = record.code;
        reader.control.id = record.x;
        reader.expect = ControlName;
        if (reader.classBytes != 0) return ControlRecordStep::Incomplete;
        reader.expect = 0;
        return ControlRecordStep::Complete;
    }
    uint8_t bytes[NameBytesPerRecord];
    NameBytesOf(record, bytes);
    for (uint32_t i = 0; i < NameBytesPerRecord; ++i) {
        const auto c = static_cast<char>(bytes[i]);
        if (reader.namesRead < reader.classBytes) {
            // A zero would end the name early, and the text form could not show it.
            if (c == '\0') return Fail(reader);
            reader.control.controlClass[reader.namesRead++] = c;
        } else if (c != '\0') {
            return Fail(reader);  // the padding is zeros
        }
    }
    if (reader.namesRead < reader.classBytes) return ControlRecordStep::Incomplete;
    reader.expect = 0;
    return ControlRecordStep::Complete;
}
