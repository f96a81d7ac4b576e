// The summary of a recording, computed the way the player goes through it: every whole record
// in order, each one's due time the running sum of delays (negative ones as 0) divided by the
// speed, and what is down at the end, as the keys and buttons are after the pass.
#include "RecordInfo.h"

#include <algorithm>

#include "RecordControls.h"
#include "RecordOddity.h"
#include "RecordWindows.h"
#include "TextNumbers.h"
#include "recording/InputRecord.h"

namespace {

// info lists this many windows, and this many controls; a longer recording's count of the rest
// follows them.
constexpr size_t MostWindowsListed = 50;

std::string Number(int64_t value)
{
    return std::to_string(value);
}

void ListGroup(std::vector<std::string>& listed, int64_t& more, int64_t start, const std::string& text)
{
    if (listed.size() < MostWindowsListed)
        listed.push_back("record " + Number(start) + ": " + text);
    else
        ++more;
}

// "key 3, button 2, x button 0, move 9, wheel 0, hwheel 0": every kind that is played, and,
// where there are any, the records of each group ("window 4"), of each kind that the player
// skips, and of unknown kinds.
std::string KindCounts(const RecordingInfo& info)
{
    std::string out;
    const auto add = [&](std::string_view word, int64_t count) {
        if (!out.empty()) out += ", ";
        out += std::string(word) + " " + Number(count);
    };
    for (size_t i = 0; i < RecordKindCount; ++i) {
        const RecordKindRow& row = RecordKinds[i];
        if (row.role == RecordRole::PlayedInput) {
            add(row.word, info.byKind[i]);
            if (row.kind == Button) add("x button", info.xButtons);
            continue;
        }
        if (i > 0 && RecordKinds[i - 1].word == row.word) continue;  // counted with the group's first row
        int64_t group = 0;
        for (size_t j = i; j < RecordKindCount && RecordKinds[j].word == row.word; ++j) group += info.byKind[j];
        if (group > 0) add(row.word, group);
    }
    if (info.otherKinds > 0) add("unknown kind", info.otherKinds);
    return out;
}

std::string GroupLines(std::string_view label, const std::vector<std::string>& listed, int64_t more)
{
    std::string out;
    for (size_t i = 0; i < listed.size(); ++i)
        out += (i == 0 ? std::string(label) : std::string(label.size(), ' ')) + listed[i] + "\n";
    if (more > 0) out += std::string(label.size(), ' ') + "and " + Number(more) + " more\n";
    return out;
}

}  // namespace

void StartSummary(RecordingInfo& info, int speedDivisor)
{
    info = RecordingInfo{};
    info.speedDivisor = speedDivisor < 1 ? 1 : speedDivisor;
}

void SummarizeRecords(RecordingInfo& info, std::span<const uint8_t> wholeRecords)
{
    const size_t records = wholeRecords.size() / InputRecordSize;
    for (size_t r = 0; r < records; ++r) {
        const InputRecord record = DecodeInputRecord(wholeRecords.data() + r * InputRecordSize);
        const int64_t number = ++info.records;
        if (record.kind == Button && IsXButtonMessage(record.code)) {
            ++info.xButtons;
        } else if (FindRecordKind(record.kind) != nullptr) {
            ++info.byKind[record.kind];
        } else {
            ++info.otherKinds;
        }
        const int32_t delay = record.delay;
        if (delay > 0) info.delaySum += delay;
        if (info.longestPauseRecord == 0 || delay > info.longestPause) {
            info.longestPause = delay;
            info.longestPauseRecord = number;
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
        FollowHeld(info.following, record, number);
        if (record.kind == WindowPlace) info.windowStart = number;
        if (ReadWindowRecord(info.windowReader, record) == WindowRecordStep::Complete)
            ListGroup(info.windows, info.moreWindows, info.windowStart, WindowText(info.windowReader.window));
        if (record.kind == ControlPlace) info.controlStart = number;
        if (ReadControlRecord(info.controlReader, record) == ControlRecordStep::Complete)
            ListGroup(info.controls, info.moreControls, info.controlStart, ControlText(info.controlReader.control));
    }
}

void FinishSummary(RecordingInfo& info, int64_t tailBytes)
{
    info.tailBytes = tailBytes;
    info.durationAtSpeed = info.delaySum / info.speedDivisor;
    info.held = HeldAtEndOf(info.following);
}

RecordingInfo SummarizeRecording(std::span<const uint8_t> bytes, int speedDivisor)
{
    RecordingInfo info;
    StartSummary(info, speedDivisor);
    const size_t tail = bytes.size() % InputRecordSize;
    SummarizeRecords(info, bytes.first(bytes.size() - tail));
    FinishSummary(info, static_cast<int64_t>(tail));
    return info;
}

std::string ClockTime(int64_t milliseconds)
{
    return std::to_string(milliseconds / 3600000) + ":" + PaddedNumber(milliseconds / 60000 % 60, 2) + ":" +
           PaddedNumber(milliseconds / 1000 % 60, 2) + "." + PaddedNumber(milliseconds % 1000, 3);
}

std::string FormatRecordingInfo(const RecordingInfo& info)
{
    std::string out = "records:       " + Number(info.records) + " (" + KindCounts(info) + ")\n";
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
    if (info.windows.empty()) out += "windows:       none (played blind)\n";
    out += GroupLines("windows:       ", info.windows, info.moreWindows);
    out += GroupLines("controls:      ", info.controls, info.moreControls);
    if (info.longestPauseRecord > 0) {
        out += "longest pause: " + Number(info.longestPause) + " ms (" +
               ClockTime(std::max<int64_t>(info.longestPause, 0)) + ") before record " +
               Number(info.longestPauseRecord) + "\n";
    } else {
        out += "longest pause: none\n";
    }
    return out;
}
