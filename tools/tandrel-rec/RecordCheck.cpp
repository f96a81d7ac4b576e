// The checks on a recording: everything the player skips, changes or adds when it plays a file,
// and the pauses that are too long to be meant.
#include "RecordCheck.h"

#include "RecordControls.h"
#include "RecordOddity.h"
#include "RecordWindows.h"
#include "TextNumbers.h"
#include "recording/InputRecord.h"

namespace {

// The program's start/stop key. The program marks the input it injects and its hooks pass that
// by, so an F9 in a recording is played into the target like any key: worth a note only.
constexpr int16_t StartStopKey = 0x78;
// Beyond this the player's 120 units per notch wrap around in 32 bits.
constexpr int32_t MostWheelNotches = INT32_MAX / 120;

std::string UnusedFields(const InputRecord& record)
{
    const uint8_t used = UsedFields(record);
    std::string fields;
    const auto add = [&](const char* name, int64_t value, RecordField field) {
        if ((used & field) != 0 || value == 0) return;
        if (!fields.empty()) fields += ", ";
        fields += std::string(name) + " " + std::to_string(value);
    };
    add("code", record.code, FieldCode);
    add("down", record.down, FieldDown);
    add("x", record.x, FieldX);
    add("y", record.y, FieldY);
    return fields;
}

// What the player makes of one record differently from what it says, if anything.
std::string OddityFinding(const InputRecord& record)
{
    switch (OddityOf(record)) {
    case RecordOddity::None:
    case RecordOddity::GroupRecord: return {};  // its group's findings say what is wrong
    case RecordOddity::UnknownKind: return "unknown kind " + std::to_string(record.kind) + ", not played";
    case RecordOddity::KeyCode: {
        const int code = static_cast<uint16_t>(record.code);
        return "key code " + HexNumber(code, 4) + " is not a virtual-key code; the player sends " +
               HexNumber(code & 0xFF, 2);
    }
    case RecordOddity::KeyDown: return "key down value " + std::to_string(record.down) + " is not 0 or 1, not played";
    case RecordOddity::ButtonCode:
        return "button code " + std::to_string(record.code) + " is not a button message, not played";
    case RecordOddity::XButton: return "X button " + std::to_string(record.y) + " (y) is not 1 or 2, not played";
    case RecordOddity::UnusedField:
        return "unused fields not zero (" + UnusedFields(record) + "), ignored by the player";
    }
    return {};
}

}  // namespace

void CheckRecords(CheckState& state, std::span<const uint8_t> wholeRecords, std::vector<CheckFinding>& findings)
{
    const size_t records = wholeRecords.size() / InputRecordSize;
    for (size_t r = 0; r < records; ++r) {
        const InputRecord record = DecodeInputRecord(wholeRecords.data() + r * InputRecordSize);
        const int64_t number = ++state.records;
        const int32_t delay = record.delay;
        if (delay < 0)
            findings.push_back({number, "negative delay " + std::to_string(delay) + " ms, played as 0", false});
        if (delay > LongestPlainPause) {
            findings.push_back({number, "pause of " + std::to_string(delay) + " ms, over an hour", false});
        }
        for (const std::string& group :
             {WindowRecordFinding(state.windows, record), ControlRecordFinding(state.controls, record)}) {
            if (!group.empty()) findings.push_back({number, group, false});
        }
        const std::string oddity = OddityFinding(record);
        if (!oddity.empty()) findings.push_back({number, oddity, false});
        if (record.kind == Key && record.down == 1 && (record.code & 0xFF) == StartStopKey) {
            findings.push_back(
                {number, "F9 pressed: played into the target like any key (it does not stop the playback)", true});
        }
        const int32_t notches = record.y;
        if ((record.kind == Wheel || record.kind == HorizontalWheel) &&
            (notches > MostWheelNotches || notches < -MostWheelNotches)) {
            findings.push_back({number,
                                std::string(record.kind == Wheel ? "wheel" : "horizontal wheel") + " of " +
                                    std::to_string(notches) + " notches is too far to play",
                                false});
        }
        const int64_t presses = FollowHeld(state.held, record, number);
        if (presses > 1) {
            const HeldAtEnd released = {record.kind,
                                        record.kind == Key ? record.code : ButtonReleaseMessage(record.code),
                                        record.kind == Key ? 0 : record.y, number, presses};
            findings.push_back({number,
                                HeldName(released) + " released here after " + std::to_string(presses) +
                                    " presses (a held key's repeats); the player sends " + std::to_string(presses - 1) +
                                    (presses == 2 ? " more release" : " more releases") + " at the end of the pass",
                                true});
        }
    }
}

void FinishCheck(const CheckState& state, int64_t tailBytes, std::vector<CheckFinding>& findings)
{
    for (const HeldAtEnd& held : HeldAtEndOf(state.held)) {
        findings.push_back(
            {held.record, HeldName(held) + " pressed here is still held at the end; the player releases it", false});
    }
    if (tailBytes > 0) {
        findings.push_back({state.records + 1,
                            "partial record at the end, " + std::to_string(tailBytes) + " of 16 bytes, never played",
                            false});
    }
}

std::vector<CheckFinding> CheckRecording(std::span<const uint8_t> bytes)
{
    std::vector<CheckFinding> findings;
    CheckState state{};
    const size_t tail = bytes.size() % InputRecordSize;
    CheckRecords(state, bytes.first(bytes.size() - tail), findings);
    FinishCheck(state, static_cast<int64_t>(tail), findings);
    return findings;
}

bool HasFindingsBeyondNotes(const std::vector<CheckFinding>& findings)
{
    for (const CheckFinding& finding : findings) {
        if (!finding.note) return true;
    }
    return false;
}

std::string FormatFinding(const CheckFinding& finding)
{
    return "record " + std::to_string(finding.record) + " (byte " +
           std::to_string((finding.record - 1) * static_cast<int64_t>(InputRecordSize)) +
           "): " + (finding.note ? "note: " : "") + finding.what;
}
