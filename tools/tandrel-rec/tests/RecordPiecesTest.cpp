// What the tool does to a file of any size: each command gone through a piece at a time gives
// what it gives for the whole file at once; held keys counted key by key, in linear time; and
// the records dump writes as raw left alone by thin and rescale.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "RecordCheck.h"
#include "RecordEdit.h"
#include "RecordInfo.h"
#include "RecordJitter.h"
#include "RecordRescale.h"
#include "RecordRetime.h"
#include "RecordStrip.h"
#include "RecordText.h"
#include "RecordThin.h"
#include "TestRecordings.h"
#include "recording/InputRecord.h"

namespace {

// A long mixed recording: runs of moves a few ms apart among keys, buttons, both wheels, odd
// records of every sort and negative delays, and a partial record at the end.
Bytes MixedRecording()
{
    Bytes bytes;
    for (int i = 0; i < 3000; ++i) {
        const int32_t delay = i % 11 == 0 ? -3 : i % 7;
        switch (i % 23) {
        case 3:
            Append(bytes, {Key, static_cast<int16_t>(0x41 + i % 5), static_cast<int8_t>(i % 2), delay, 0, 0});
            break;
        case 5: Append(bytes, {Button, static_cast<int16_t>(i % 2 ? 0x20B : 0x20C), 0, delay, 0, 1 + i % 2}); break;
        case 8: Append(bytes, {HorizontalWheel, 0, 0, delay, 0, i % 3 - 1}); break;
        case 9: Append(bytes, {Move, 2, 0, delay, i, -i}); break;  // odd: written as raw
        case 13: Append(bytes, {static_cast<int8_t>(5 + i % 3), 1, 2, delay, 3, 4}); break;
        case 17: Append(bytes, {Button, 513, 0, delay, 0, 0}); break;
        default: Append(bytes, {Move, 0, 0, delay, i % 640, i % 480}); break;
        }
    }
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5, 6, 7});
    return bytes;
}

// The runs of whole records of a file in pieces of `records` records each.
std::vector<std::span<const uint8_t>> Pieces(const Bytes& bytes, size_t records)
{
    std::vector<std::span<const uint8_t>> pieces;
    const std::span<const uint8_t> whole = WholeRecordsOf(bytes);
    for (size_t at = 0; at < whole.size(); at += records * InputRecordSize) {
        pieces.push_back(whole.subspan(at, std::min(records * InputRecordSize, whole.size() - at)));
    }
    return pieces;
}

std::span<const uint8_t> TailOf(const Bytes& bytes)
{
    return std::span<const uint8_t>(bytes).last(bytes.size() % InputRecordSize);
}

std::vector<std::string> Formatted(const std::vector<CheckFinding>& findings)
{
    std::vector<std::string> lines;
    for (const CheckFinding& finding : findings) lines.push_back(FormatFinding(finding));
    return lines;
}

}  // namespace

TEST(RecordPieces, EveryCommandGivesInPiecesWhatItGivesForTheWholeFile)
{
    const Bytes in = MixedRecording();
    const RetimeOptions speed = {RetimeMode::Speed, 700000, 0};
    const StripKinds strip = {true, true, false, true};
    std::string wholeText;
    AppendRecordingText(wholeText, in);
    for (const size_t records : {size_t{1}, size_t{2}, size_t{7}, size_t{1000}}) {
        SCOPED_TRACE(records);
        std::string text;
        AppendTextHeader(text);
        RetimeState retime{};
        ThinState thin{};
        StripState stripped{};
        uint64_t random = 42;
        Bytes retimed, thinned, stripOut, rescaled, jittered;
        RecordingInfo info;
        StartSummary(info, 3);
        CheckState check{};
        std::vector<CheckFinding> findings;
        for (const std::span<const uint8_t> piece : Pieces(in, records)) {
            AppendRecordsText(text, piece);
            RetimeRecords(retime, piece, speed, retimed);
            ThinRecords(thin, piece, 20, thinned);
            StripRecords(stripped, piece, strip, stripOut);
            RescaleRecords(piece, {640, 480}, {1280, 1024}, rescaled);
            JitterRecords(random, piece, 4, jittered);
            SummarizeRecords(info, piece);
            CheckRecords(check, piece, findings);
        }
        AppendTailText(text, TailOf(in));
        FinishThin(thin, thinned);
        FinishSummary(info, static_cast<int64_t>(TailOf(in).size()));
        FinishCheck(check, static_cast<int64_t>(TailOf(in).size()), findings);
        for (Bytes* edited : {&retimed, &thinned, &stripOut, &rescaled, &jittered}) {
            edited->insert(edited->end(), TailOf(in).begin(), TailOf(in).end());
        }
        EXPECT_EQ(wholeText, text);
        EXPECT_EQ(RetimeRecording(in, speed), retimed);
        EXPECT_EQ(ThinRecording(in, 20), thinned);
        EXPECT_EQ(StripRecording(in, strip), stripOut);
        EXPECT_EQ(RescaleRecording(in, {640, 480}, {1280, 1024}), rescaled);
        EXPECT_EQ(JitterRecording(in, 4, 42), jittered);
        EXPECT_EQ(FormatRecordingInfo(SummarizeRecording(in, 3)), FormatRecordingInfo(info));
        EXPECT_EQ(Formatted(CheckRecording(in)), Formatted(findings));
    }
    // The text read back in pieces of whole lines, one line or many at a time.
    for (const size_t linesPerPiece : {size_t{1}, size_t{500}}) {
        TextReader reader{};
        TextError error{};
        Bytes packed;
        size_t at = 0;
        while (at < wholeText.size()) {
            size_t end = at;
            for (size_t line = 0; line < linesPerPiece && end < wholeText.size(); ++line) {
                end = wholeText.find('\n', end) + 1;
            }
            ASSERT_TRUE(ReadTextLines(reader, std::string_view(wholeText).substr(at, end - at), packed, error))
                << error.line << ": " << error.message;
            at = end;
        }
        ASSERT_TRUE(FinishText(reader, error));
        EXPECT_EQ(in, packed);
    }
}

TEST(RecordHeld, ARepeatingKeyIsHeldUntilItsReleaseAndNoLonger)
{
    // Shift held through auto-repeat, then let go; A still down after its repeats.
    const Bytes bytes = Recording({
        {Key, 0x10, 1, 0, 0, 0},
        {Key, 0x10, 1, 500, 0, 0},
        {Key, 0x10, 1, 33, 0, 0},
        {Key, 0x10, 0, 40, 0, 0},
        {Key, 0x41, 1, 5, 0, 0},
        {Key, 0x41, 1, 500, 0, 0},
        {Button, 0x20B, 0, 5, 0, 2},
        {Button, 0x20B, 0, 5, 0, 1},
        {Button, 0x20C, 0, 5, 0, 2},
    });
    const RecordingInfo info = SummarizeRecording(bytes, 1);
    ASSERT_EQ(2u, info.held.size());
    EXPECT_EQ("key A", HeldName(info.held[0]));
    EXPECT_EQ(5, info.held[0].record);
    EXPECT_EQ(2, info.held[0].presses);
    EXPECT_EQ("X1 button", HeldName(info.held[1]));
    EXPECT_EQ(8, info.held[1].record);
    EXPECT_NE(std::string::npos,
              FormatRecordingInfo(info).find("held at end:   key A (record 5), X1 button (record 8), released"));
    // Released at last, nothing is held and check passes the file, with its notes.
    Bytes released = bytes;
    Append(released, {Key, 0x41, 0, 5, 0, 0});
    Append(released, {Button, 0x20C, 0, 5, 0, 1});
    EXPECT_TRUE(SummarizeRecording(released, 1).held.empty());
    const std::vector<CheckFinding> findings = CheckRecording(released);
    EXPECT_FALSE(HasFindingsBeyondNotes(findings));
    EXPECT_EQ(2u, findings.size()) << "a note at the release of each key that repeated";
}

TEST(RecordHeld, AMillionRepeatsAmongAMillionOtherReleasesAreCountedInLinearTime)
{
    Bytes bytes;
    bytes.reserve(2000000 * InputRecordSize);
    for (int i = 0; i < 1000000; ++i) {
        Append(bytes, {Key, 0x10, 1, 1, 0, 0});
        Append(bytes, {Key, static_cast<int16_t>(0x41 + i % 26), 0, 1, 0, 0});
    }
    const auto start = std::chrono::steady_clock::now();
    const RecordingInfo info = SummarizeRecording(bytes, 1);
    const std::vector<CheckFinding> findings = CheckRecording(bytes);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(1u, info.held.size());
    EXPECT_EQ(1, info.held[0].record);
    EXPECT_EQ(1000000, info.held[0].presses);
    ASSERT_EQ(1u, findings.size());
    EXPECT_EQ("record 1 (byte 0): key Shift pressed here is still held at the end; the player releases it",
              FormatFinding(findings[0]));
    // Linear takes a fraction of a second even with sanitizers; a list of presses searched at
    // each release takes hours.
    EXPECT_LT(seconds, 20.0);
}

TEST(RecordEdit, RecordsDumpWritesAsRawPassThinAndRescaleByteForByte)
{
    // Moves a millisecond apart, and among them every sort of record that dump writes as raw.
    const std::vector<InputRecord> raw = {
        {Move, 1, 0, 1, 4, 4},
        {Move, 0, 1, 0, 99, 99},
        {Move, 0, 2, -7, -5, 3},
        {Key, 0x141, 1, 1, 0, 0},
        {Button, 0x20B, 0, 1, 0, 7},
        {Wheel, 0, 0, 1, 3, 1},
        {HorizontalWheel, 0, 1, 1, 0, 2},
        {99, 9, 9, 9, 9, 9},
    };
    Bytes in;
    Bytes rawBytes;
    int32_t x = 0;
    for (const InputRecord& record : raw) {
        for (int i = 0; i < 5; ++i) Append(in, {Move, 0, 0, 1, ++x, x});
        Append(in, record);
        Append(rawBytes, record);
    }
    const auto rawOf = [](const Bytes& bytes) {
        Bytes found;
        const std::span<const uint8_t> whole = WholeRecordsOf(bytes);
        for (size_t at = 0; at < whole.size(); at += InputRecordSize) {
            if (IsRawRecord(whole.data() + at)) found.insert(found.end(), whole.data() + at, whole.data() + at + 16);
        }
        return found;
    };
    const Bytes thinned = ThinRecording(in, 1000);
    EXPECT_EQ(rawBytes, rawOf(thinned));
    EXPECT_LT(thinned.size(), in.size()) << "plain moves were dropped";
    const Bytes rescaled = RescaleRecording(in, {100, 100}, {300, 300});
    EXPECT_EQ(rawBytes, rawOf(rescaled));
    EXPECT_NE(in, rescaled) << "plain moves were rescaled";
    // In place: each one where it was among the others.
    for (size_t at = 0; at < in.size(); at += InputRecordSize) {
        if (IsRawRecord(in.data() + at)) {
            EXPECT_TRUE(std::equal(in.begin() + at, in.begin() + at + 16, rescaled.begin() + at));
        }
    }
}
