// Stripping goes by the kind byte alone: a Key record with a code the player cuts down to its
// low byte is still a key, a Button record with an unknown code still a button.
#include "RecordStrip.h"

#include "RecordEdit.h"
#include "recording/InputRecord.h"

namespace {

bool StrippedInput(int8_t kind, const StripKinds& kinds)
{
    switch (static_cast<RecordKind>(kind)) {
    case Key: return kinds.keys;
    case Button: return kinds.buttons;
    case Move: return kinds.moves;
    case Wheel:
    case HorizontalWheel: return kinds.wheel;
    case WindowPlace:
    case WindowSize:
    case WindowName:
    case ControlPlace:
    case ControlSize:
    case ControlId:
    case ControlName: return false;  // by their role below
    }
    return false;
}

bool Stripped(int8_t kind, const StripKinds& kinds)
{
    const RecordKindRow* row = FindRecordKind(kind);
    if (row == nullptr) return false;
    switch (row->role) {
    case RecordRole::PlayedInput: return StrippedInput(kind, kinds);
    // A control group names a control inside the window of the group before it: without the
    // window it names nothing.
    case RecordRole::WindowGroup: return kinds.windows;
    case RecordRole::ControlGroup: return kinds.windows || kinds.controls;
    case RecordRole::Skipped: return false;
    }
    return false;
}

}  // namespace

void StripRecords(StripState& state, std::span<const uint8_t> wholeRecords, const StripKinds& kinds,
                  std::vector<uint8_t>& out)
{
    const size_t records = wholeRecords.size() / InputRecordSize;
    const uint8_t* record = wholeRecords.data();
    for (size_t i = 0; i < records; ++i, record += InputRecordSize) {
        state.due = AddToDueTime(state.due, PlayedDelayAt(record));
        if (!Stripped(KindAt(record), kinds)) AppendDueAt(out, state.lastDue, record, state.due);
    }
}

std::vector<uint8_t> StripRecording(std::span<const uint8_t> bytes, const StripKinds& kinds)
{
    StripState state{};
    return EditWholeFile(bytes, [&](std::span<const uint8_t> records, std::vector<uint8_t>& out) {
        StripRecords(state, records, kinds, out);
    });
}
