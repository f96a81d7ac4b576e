// The checks on a recording: everything the player skips, changes or adds when it plays a file,
// and the pauses that are too long to be meant.
#include "RecordCheck.h"

#include <algorithm>
#include <cstdio>

#include "RecordInfo.h"
#include "RecordOddity.h"
#include "recording/InputRecord.h"

namespace {

// The program's start/stop key: pressed during a playback, it ends the playback.
constexpr int16_t StartStopKey = 0x78;
// Beyond this the player's 120 units per notch wrap around in 32 bits.
constexpr int32_t MostWheelNotches = INT32_MAX / 120;

std::string Hex(int value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string UnusedFields(const InputRecord& record)
{
    const int code = record.code;
    const int down = record.down;
    const int32_t x = record.x;
    const int32_t y = record.y;
    std::string fields;
    const auto add = [&](const char* name, int64_t value, bool used) {
        if (used || value == 0) return;
        if (!fields.empty()) fields += ", ";
        fields += std::string(name) + " " + std::to_string(value);
    };
    add("code", code, record.kind == Key || record.kind == Button);
    add("down", down, record.kind == Key);
    add("x", x, record.kind == Move);
    add("y", y, record.kind == Move || record.kind == Wheel);
    return fields;
}

// What the player makes of one record differently from what it says, if anything.
std::string OddityFinding(const InputRecord& record)
{
    switch (OddityOf(record)) {
    case RecordOddity::None: return {};
    case RecordOddity::UnknownKind: return "unknown kind " + std::to_string(record.kind) + ", not played";
    case RecordOddity::KeyCode: {
        const int code = static_cast<uint16_t>(record.code);
        return "key code " + Hex(code, 4) + " is not a virtual-key code; the player sends " + Hex(code & 0xFF, 2);
    }
    case RecordOddity::KeyDown: return "key down value " + std::to_string(record.down) + " is not 0 or 1, not played";
    case RecordOddity::ButtonCode:
        return "button code " + std::to_string(record.code) + " is not a button message, not played";
    case RecordOddity::UnusedField:
        return "unused fields not zero (" + UnusedFields(record) + "), ignored by the player";
    }
    return {};
}

}  // namespace

std::vector<CheckFinding> CheckRecording(std::span<const uint8_t> bytes)
{
    std::vector<CheckFinding> findings;
    const int64_t records = static_cast<int64_t>(bytes.size() / InputRecordSize);
    for (int64_t i = 0; i < records; ++i) {
        const InputRecord record = DecodeInputRecord(bytes.data() + i * InputRecordSize);
        const int64_t number = i + 1;
        const int32_t delay = record.delay;
        if (delay < 0) findings.push_back({number, "negative delay " + std::to_string(delay) + " ms, played as 0"});
        if (delay > LongestPlainPause) {
            findings.push_back({number, "pause of " + std::to_string(delay) + " ms, over an hour"});
        }
        const std::string oddity = OddityFinding(record);
        if (!oddity.empty()) findings.push_back({number, oddity});
        if (record.kind == Key && record.down == 1 && (record.code & 0xFF) == StartStopKey) {
            findings.push_back({number, "F9 pressed: the program stops the playback here"});
        }
        const int32_t notches = record.y;
        if (record.kind == Wheel && (notches > MostWheelNotches || notches < -MostWheelNotches)) {
            findings.push_back({number, "wheel of " + std::to_string(notches) + " notches is too far to play"});
        }
    }
    for (const HeldAtEnd& held : HeldAtEndOf(bytes)) {
        findings.push_back(
            {held.record, HeldName(held) + " pressed here is still held at the end; the player releases it"});
    }
    const size_t tail = bytes.size() % InputRecordSize;
    if (tail > 0) {
        findings.push_back(
            {records + 1, "partial record at the end, " + std::to_string(tail) + " of 16 bytes, never played"});
    }
    std::stable_sort(findings.begin(), findings.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.record < b.record; });
    return findings;
}

std::string FormatFinding(const CheckFinding& finding)
{
    return "record " + std::to_string(finding.record) + " (byte " +
           std::to_string((finding.record - 1) * static_cast<int64_t>(InputRecordSize)) + "): " + finding.what;
}
