// The summary of a recording, computed the way the player goes through it: every whole record
// in order, each one's due time the running sum of delays (negative ones as 0) divided by the
// speed, and the same list of held inputs that the player keeps.
#include "RecordInfo.h"

#include <algorithm>
#include <cstdio>

#include "KeyNames.h"
#include "RecordOddity.h"
#include "recording/InputRecord.h"

namespace {

InputRecord RecordAt(std::span<const uint8_t> bytes, size_t index)
{
    return DecodeInputRecord(bytes.data() + index * InputRecordSize);
}

void Release(std::vector<HeldAtEnd>& held, int8_t kind, int16_t code)
{
    // Only the oldest match goes: each repeated press stands for one entry, as in the player.
    const auto match =
        std::find_if(held.begin(), held.end(), [&](const HeldAtEnd& h) { return h.kind == kind && h.code == code; });
    if (match != held.end()) held.erase(match);
}

// Follows one record's effect on the held inputs, as the player's injection table does.
void FollowPresses(std::vector<HeldAtEnd>& held, const InputRecord& record, int64_t number)
{
    const int16_t code = record.code;
    if (record.kind == Key) {
        if (record.down == 1) held.push_back({Key, code, number});
        if (record.down == 0) Release(held, Key, code);
    } else if (record.kind == Button && IsButtonMessage(code)) {
        const int16_t release = ButtonReleaseMessage(code);
        if (release == code) {
            Release(held, Button, release);
        } else {
            held.push_back({Button, release, number});
        }
    }
}

std::string Hex(int value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string Number(int64_t value)
{
    return std::to_string(value);
}

}  // namespace

std::vector<HeldAtEnd> HeldAtEndOf(std::span<const uint8_t> bytes)
{
    std::vector<HeldAtEnd> held;
    const size_t records = bytes.size() / InputRecordSize;
    for (size_t i = 0; i < records; ++i) FollowPresses(held, RecordAt(bytes, i), static_cast<int64_t>(i) + 1);
    return held;
}

RecordingInfo SummarizeRecording(std::span<const uint8_t> bytes, int speedDivisor)
{
    RecordingInfo info{};
    info.records = static_cast<int64_t>(bytes.size() / InputRecordSize);
    info.tailBytes = static_cast<int64_t>(bytes.size() % InputRecordSize);
    info.speedDivisor = speedDivisor < 1 ? 1 : speedDivisor;
    for (int64_t i = 0; i < info.records; ++i) {
        const InputRecord record = RecordAt(bytes, static_cast<size_t>(i));
        if (record.kind >= Key && record.kind <= Wheel) {
            ++info.byKind[record.kind];
        } else {
            ++info.otherKinds;
        }
        const int32_t delay = record.delay;
        if (delay > 0) info.delaySum += delay;
        if (info.longestPauseRecord == 0 || delay > info.longestPause) {
            info.longestPause = delay;
            info.longestPauseRecord = i + 1;
        }
        if (record.kind == Move) {
            const int32_t x = record.x;
            const int32_t y = record.y;
            if (!info.hasMoves) {
                info.minX = info.maxX = x;
                info.minY = info.maxY = y;
                info.hasMoves = true;
            }
            info.minX = std::min(info.minX, x);
            info.maxX = std::max(info.maxX, x);
            info.minY = std::min(info.minY, y);
            info.maxY = std::max(info.maxY, y);
        }
        FollowPresses(info.held, record, i + 1);
    }
    info.durationAtSpeed = info.delaySum / info.speedDivisor;
    return info;
}

std::string HeldName(const HeldAtEnd& held)
{
    if (held.kind == Button) {
        switch (held.code) {
        case LeftButtonUpMessage: return "left button";
        case RightButtonUpMessage: return "right button";
        default: return "middle button";
        }
    }
    const std::string_view name = KeyNameOfCode(held.code);
    if (!name.empty()) return "key " + std::string(name);
    const int code = static_cast<uint16_t>(held.code);
    return "key " + Hex(code, code > 255 ? 4 : 2);
}

std::string ClockTime(int64_t milliseconds)
{
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02d:%02d.%03d", static_cast<long long>(milliseconds / 3600000),
                  static_cast<int>(milliseconds / 60000 % 60), static_cast<int>(milliseconds / 1000 % 60),
                  static_cast<int>(milliseconds % 1000));
    return text;
}

std::string FormatRecordingInfo(const RecordingInfo& info)
{
    std::string out = "records:       " + Number(info.records) + " (key " + Number(info.byKind[Key]) + ", button " +
                      Number(info.byKind[Button]) + ", move " + Number(info.byKind[Move]) + ", wheel " +
                      Number(info.byKind[Wheel]);
    if (info.otherKinds > 0) out += ", unknown kind " + Number(info.otherKinds);
    out += ")\n";
    if (info.tailBytes > 0) out += "partial:       " + Number(info.tailBytes) + " bytes at the end, never played\n";
    out += "duration:      " + ClockTime(info.delaySum) + " (" + Number(info.delaySum) + " ms) at speed 1\n";
    if (info.speedDivisor != 1) {
        out += "               " + ClockTime(info.durationAtSpeed) + " (" + Number(info.durationAtSpeed) +
               " ms) at speed " + Number(info.speedDivisor) + "\n";
    }
    out += "held at end:   ";
    if (info.held.empty()) {
        out += "nothing\n";
    } else {
        for (size_t i = 0; i < info.held.size(); ++i) {
            if (i > 0) out += ", ";
            out += HeldName(info.held[i]) + " (record " + Number(info.held[i].record) + ")";
        }
        out += ", released by the player\n";
    }
    if (info.hasMoves) {
        out += "moves:         x " + Number(info.minX) + " to " + Number(info.maxX) + ", y " + Number(info.minY) +
               " to " + Number(info.maxY) + "\n";
    } else {
        out += "moves:         none\n";
    }
    if (info.longestPauseRecord > 0) {
        out += "longest pause: " + Number(info.longestPause) + " ms (" +
               ClockTime(std::max<int64_t>(info.longestPause, 0)) + ") before record " +
               Number(info.longestPauseRecord) + "\n";
    } else {
        out += "longest pause: none\n";
    }
    return out;
}
