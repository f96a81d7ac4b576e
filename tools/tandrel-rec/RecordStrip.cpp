// Stripping goes by the kind byte alone: a Key record with a code the player cuts down to its
// low byte is still a key, a Button record with an unknown code still a button.
#include "RecordStrip.h"

#include "RecordEdit.h"
#include "recording/InputRecord.h"

namespace {

bool Stripped(int8_t kind, const StripKinds& kinds)
{
    switch (kind) {
    case Key: return kinds.keys;
    case Button: return kinds.buttons;
    case Move: return kinds.moves;
    case Wheel: return kinds.wheel;
    default: return false;
    }
}

}  // namespace

std::vector<uint8_t> StripRecording(std::span<const uint8_t> bytes, const StripKinds& kinds)
{
    std::vector<uint8_t> out;
    out.reserve(bytes.size());
    const size_t records = bytes.size() / InputRecordSize;
    const uint8_t* record = bytes.data();
    int64_t due = 0;
    int64_t lastDue = 0;
    for (size_t i = 0; i < records; ++i, record += InputRecordSize) {
        due = AddToDueTime(due, PlayedDelayAt(record));
        if (!Stripped(KindAt(record), kinds)) AppendDueAt(out, lastDue, record, due);
    }
    AppendTail(out, bytes);
    return out;
}
