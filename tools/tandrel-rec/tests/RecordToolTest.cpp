// The recording tool's logic: text form round trips, the reader's errors, check's findings and
// the figures of info.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RecordCheck.h"
#include "RecordInfo.h"
#include "RecordText.h"
#include "TestRecordings.h"
#include "recording/InputRecord.h"

namespace {

Bytes Pack(const std::string& text)
{
    Bytes bytes;
    TextError error{};
    EXPECT_TRUE(ReadRecordingText(text, bytes, error)) << "line " << error.line << ": " << error.message;
    return bytes;
}

// The lines of a text without their comments.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find('\n', at);
        const std::string line = text.substr(at, end - at);
        lines.push_back(line.substr(0, line.find("  #")));
        at = end + 1;
    }
    return lines;
}

struct Written {
    InputRecord record;
    const char* line;
};

const Written WrittenRecords[] = {
    {{Key, 0x41, 1, 0, 0, 0}, "0 key A down"},
    {{Key, 0x10, 0, 15, 0, 0}, "15 key Shift up"},
    {{Key, 0xBC, 1, 3, 0, 0}, "3 key OemComma down"},
    {{Key, 0x0D, 0, 2, 0, 0}, "2 key Return up"},
    {{Key, 0xE8, 1, 7, 0, 0}, "7 key 0xE8 down"},
    {{Key, 0x31, 1, -20, 0, 0}, "-20 key 1 down"},
    {{Key, 0x25, 1, INT32_MIN, 0, 0}, "-2147483648 key Left down"},
    {{Button, 513, 0, 8, 0, 0}, "8 button left down"},
    {{Button, 514, 0, 30, 0, 0}, "30 button left up"},
    {{Button, 516, 0, 1, 0, 0}, "1 button right down"},
    {{Button, 517, 0, 1, 0, 0}, "1 button right up"},
    {{Button, 519, 0, 1, 0, 0}, "1 button middle down"},
    {{Button, 520, 0, 1, 0, 0}, "1 button middle up"},
    {{Move, 0, 0, 16, -5, 1080}, "16 move -5 1080"},
    {{Move, 0, 0, INT32_MAX, INT32_MIN, INT32_MAX}, "2147483647 move -2147483648 2147483647"},
    {{Wheel, 0, 0, 250, 0, -2}, "250 wheel -2"},
    {{Button, 0x20B, 0, 4, 0, 1}, "4 button x1 down"},
    {{Button, 0x20C, 0, 5, 0, 1}, "5 button x1 up"},
    {{Button, 0x20B, 0, 6, 0, 2}, "6 button x2 down"},
    {{Button, 0x20C, 0, 7, 0, 2}, "7 button x2 up"},
    {{HorizontalWheel, 0, 0, 9, 0, -1}, "9 hwheel -1"},
    {{HorizontalWheel, 0, 0, 0, 0, INT32_MAX}, "0 hwheel 2147483647"},
    // What the player does not play as written is kept byte for byte.
    {{5, 0, 0, 10, 0, 0}, "raw 05 00 00 00 0A 00 00 00 00 00 00 00 00 00 00 00"},
    {{-1, 0, 0, 0, 0, 0}, "raw FF 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
    {{Key, 0x141, 1, 0, 0, 0}, "raw 00 41 01 01 00 00 00 00 00 00 00 00 00 00 00 00"},
    {{Key, 0, 1, 0, 0, 0}, "raw 00 00 00 01 00 00 00 00 00 00 00 00 00 00 00 00"},
    {{Key, 0x41, 2, 0, 0, 0}, "raw 00 41 00 02 00 00 00 00 00 00 00 00 00 00 00 00"},
    {{Key, 0x41, 1, 0, 0, 9}, "raw 00 41 00 01 00 00 00 00 00 00 00 00 09 00 00 00"},
    {{Button, 515, 0, 0, 0, 0}, "raw 01 03 02 00 00 00 00 00 00 00 00 00 00 00 00 00"},
    {{Button, 513, 1, 0, 0, 0}, "raw 01 01 02 01 00 00 00 00 00 00 00 00 00 00 00 00"},
    {{Move, 1, 0, 0, 4, 4}, "raw 02 01 00 00 00 00 00 00 04 00 00 00 04 00 00 00"},
    {{Wheel, 0, 0, 0, 3, 1}, "raw 03 00 00 00 00 00 00 00 03 00 00 00 01 00 00 00"},
    // An X button other than 1 and 2, and the unused fields of X buttons and the horizontal wheel.
    {{Button, 0x20B, 0, 0, 0, 3}, "raw 01 0B 02 00 00 00 00 00 00 00 00 00 03 00 00 00"},
    {{Button, 0x20C, 0, 0, 0, 0}, "raw 01 0C 02 00 00 00 00 00 00 00 00 00 00 00 00 00"},
    {{Button, 0x20C, 1, 0, 0, 2}, "raw 01 0C 02 01 00 00 00 00 00 00 00 00 02 00 00 00"},
    {{Button, 0x20B, 0, 0, 7, 1}, "raw 01 0B 02 00 00 00 00 00 07 00 00 00 01 00 00 00"},
    {{Button, 0x20D, 0, 0, 0, 1}, "raw 01 0D 02 00 00 00 00 00 00 00 00 00 01 00 00 00"},
    {{HorizontalWheel, 0, 0, 0, 1, 1}, "raw 04 00 00 00 00 00 00 00 01 00 00 00 01 00 00 00"},
    {{HorizontalWheel, 5, 0, 0, 0, 1}, "raw 04 05 00 00 00 00 00 00 00 00 00 00 01 00 00 00"},
};

}  // namespace

TEST(RecordText, WritesEachRecordOnItsLineAndPacksItBackByteForByte)
{
    for (const Written& written : WrittenRecords) {
        const Bytes bytes = Recording({written.record});
        const std::string text = Dump(bytes);
        const std::vector<std::string> lines = Lines(text);
        ASSERT_EQ(2u, lines.size()) << text;
        EXPECT_EQ("tandrel-rec 1", lines[0]);
        EXPECT_EQ(written.line, lines[1]);
        EXPECT_EQ(bytes, Pack(text)) << written.line;
    }
}

TEST(RecordText, AWholeFileWithAPartialRecordRoundTrips)
{
    Bytes bytes;
    for (const Written& written : WrittenRecords) Append(bytes, written.record);
    bytes.insert(bytes.end(), {0x02, 0x00, 0x7F, 0xFF, 0x10});
    const std::string text = Dump(bytes);
    EXPECT_EQ("tail 02 00 7F FF 10", Lines(text).back());
    EXPECT_EQ(bytes, Pack(text));
}

TEST(RecordText, EveryKeyCodeRoundTripsByNameOrCode)
{
    Bytes bytes;
    for (int code = 1; code <= 255; ++code) {
        Append(bytes, {Key, static_cast<int16_t>(code), 1, code, 0, 0});
        Append(bytes, {Key, static_cast<int16_t>(code), 0, 1, 0, 0});
    }
    const std::string text = Dump(bytes);
    EXPECT_EQ(std::string::npos, text.find("raw")) << "every virtual-key code has a plain line";
    EXPECT_EQ(bytes, Pack(text));
}

TEST(RecordText, ReadsWhatAPersonWrites)
{
    const std::string text = "\xEF\xBB\xBF# typed by hand\r\n"
                             "tandrel-rec 1\r\n"
                             "\r\n"
                             "  +5\tKEY  return Down   # the platform's spelling works too\r\n"
                             "0 key VK_OEM_COMMA up\n"
                             "0 key esc down\n"
                             "0 key 0x0d up\n"
                             "0 Button Middle UP\n"
                             "-1 wheel +3\n"
                             "2 button X2 Down\n"
                             "3 HWheel -4\n";
    const Bytes expected = Recording({
        {Key, 0x0D, 1, 5, 0, 0},
        {Key, 0xBC, 0, 0, 0, 0},
        {Key, 0x1B, 1, 0, 0, 0},
        {Key, 0x0D, 0, 0, 0, 0},
        {Button, 520, 0, 0, 0, 0},
        {Wheel, 0, 0, -1, 0, 3},
        {Button, 0x20B, 0, 2, 0, 2},
        {HorizontalWheel, 0, 0, 3, 0, -4},
    });
    EXPECT_EQ(expected, Pack(text));
}

TEST(RecordText, MalformedTextNamesItsLineAndAddsNothing)
{
    struct Malformed {
        const char* text;
        int64_t line;
        const char* message;
    };
    const Malformed cases[] = {
        {"", 1, "the first line must be"},
        {"# only a comment\n", 1, "the first line must be"},
        {"0 key A down\n", 1, "the first line must be"},
        {"tandrel-rec 2\n", 1, "version 2"},
        {"tandrel-rec 1\n0 key Shfit down\n", 2, "unknown key name \"Shfit\""},
        {"tandrel-rec 1\n\n# note\n5 key A dwn\n", 4, "expected down or up"},
        {"tandrel-rec 1\nkey A down\n", 2, "starts with its delay"},
        {"tandrel-rec 1\n0 key 0x100 down\n", 2, "not a virtual-key code"},
        {"tandrel-rec 1\n0 key 0x00 down\n", 2, "not a virtual-key code"},
        {"tandrel-rec 1\n10 move 1\n", 2, "missing fields"},
        {"tandrel-rec 1\n10 move 1 2 3\n", 2, "too many fields"},
        {"tandrel-rec 1\n10 move 2147483648 0\n", 2, "out of range"},
        {"tandrel-rec 1\n1x wheel 1\n", 2, "not a whole number"},
        {"tandrel-rec 1\n5 button side down\n", 2, "unknown button"},
        {"tandrel-rec 1\n5 button x3 down\n", 2, "unknown button \"x3\" (left, right, middle, x1 or x2)"},
        {"tandrel-rec 1\n5 hwheel\n", 2, "missing fields: expected DELAY hwheel NOTCHES"},
        {"tandrel-rec 1\n5 scroll 1\n", 2, "unknown kind"},
        {"tandrel-rec 1\n5\n", 2, "missing the kind"},
        {"tandrel-rec 1\nraw 00 01\n", 2, "16 bytes"},
        {"tandrel-rec 1\nraw 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 0G\n", 2, "not a byte in hex"},
        {"tandrel-rec 1\ntail 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n", 2, "1 to 15 bytes"},
        {"tandrel-rec 1\ntail 01 02\n0 key A down\n", 3, "nothing may follow the tail"},
    };
    for (const Malformed& malformed : cases) {
        Bytes bytes = {0xAB};
        TextError error{};
        EXPECT_FALSE(ReadRecordingText(malformed.text, bytes, error)) << malformed.text;
        EXPECT_EQ(malformed.line, error.line) << malformed.text;
        EXPECT_NE(std::string::npos, error.message.find(malformed.message)) << error.message;
        EXPECT_EQ(Bytes{0xAB}, bytes) << malformed.text;
    }
}

TEST(RecordCheck, APlainRecordingHasNoFindings)
{
    const Bytes bytes = Recording({
        {Key, 0x78, 0, 0, 0, 0},  // the release of the F9 that started the recording
        {Key, 0x41, 1, 10, 0, 0},
        {Move, 0, 0, LongestPlainPause, 5, 5},
        {Button, 516, 0, 0, 0, 0},
        {Button, 517, 0, 0, 0, 0},
        {Wheel, 0, 0, 0, 0, -INT32_MAX / 120},
        {Button, 0x20B, 0, 0, 0, 2},
        {HorizontalWheel, 0, 0, 0, 0, INT32_MAX / 120},
        {Button, 0x20C, 0, 0, 0, 2},
        {Key, 0x41, 0, 10, 0, 0},
    });
    EXPECT_TRUE(CheckRecording(bytes).empty());
}

TEST(RecordCheck, ReportsEachFindingWithItsRecord)
{
    struct Case {
        Bytes bytes;
        std::vector<std::string> findings;
    };
    Bytes withTail = Recording({{Move, 0, 0, 0, 1, 1}});
    withTail.insert(withTail.end(), {1, 2, 3});
    const Case cases[] = {
        {Recording({{Move, 0, 0, 0, 1, 1}, {Move, 0, 0, -5, 1, 1}}),
         {"record 2 (byte 16): negative delay -5 ms, played as 0"}},
        {Recording({{Move, 0, 0, LongestPlainPause + 1, 1, 1}}),
         {"record 1 (byte 0): pause of 3600001 ms, over an hour"}},
        {Recording({{99, 0, 0, 0, 0, 0}}), {"record 1 (byte 0): unknown kind 99, not played"}},
        {Recording({{Key, 0x141, 0, 0, 0, 0}}),
         {"record 1 (byte 0): key code 0x0141 is not a virtual-key code; the player sends 0x41"}},
        {Recording({{Key, 0x41, 2, 0, 0, 0}}), {"record 1 (byte 0): key down value 2 is not 0 or 1, not played"}},
        {Recording({{Button, 515, 0, 0, 0, 0}}),
         {"record 1 (byte 0): button code 515 is not a button message, not played"}},
        {Recording({{Move, 3, 0, 0, 1, 1}}),
         {"record 1 (byte 0): unused fields not zero (code 3), ignored by the player"}},
        {Recording({{Wheel, 0, 0, 0, 4, INT32_MAX / 120 + 1}}),
         {"record 1 (byte 0): unused fields not zero (x 4), ignored by the player",
          "record 1 (byte 0): wheel of 17895698 notches is too far to play"}},
        // The program's own injected input passes its hooks by: an F9 is played like any key.
        {Recording({{Key, 0x78, 1, 0, 0, 0}, {Key, 0x78, 0, 0, 0, 0}}),
         {"record 1 (byte 0): note: F9 pressed: played into the target like any key (it does not stop the playback)"}},
        // The player sends the low byte of a key code, so this is an F9 as well.
        {Recording({{Key, 0x178, 1, 0, 0, 0}}),
         {"record 1 (byte 0): key code 0x0178 is not a virtual-key code; the player sends 0x78",
          "record 1 (byte 0): note: F9 pressed: played into the target like any key (it does not stop the playback)",
          "record 1 (byte 0): key 0x0178 pressed here is still held at the end; the player releases it"}},
        // Keys are told apart by their whole code, as the player's Held-input list does: a
        // release of 0x41 does not end a press of 0x141 (nor the other way round), and the
        // player releases what is still held at the end.
        {Recording(
             {{Key, 0x141, 1, 0, 0, 0}, {Key, 0x41, 0, 0, 0, 0}, {Key, 0x42, 1, 0, 0, 0}, {Key, 0x142, 0, 0, 0, 0}}),
         {"record 1 (byte 0): key code 0x0141 is not a virtual-key code; the player sends 0x41",
          "record 4 (byte 48): key code 0x0142 is not a virtual-key code; the player sends 0x42",
          "record 1 (byte 0): key 0x0141 pressed here is still held at the end; the player releases it",
          "record 3 (byte 32): key B pressed here is still held at the end; the player releases it"}},
        // A held key repeats its press: one release lets it up, and the player's extra releases
        // of the repeats are only a note. What is still down is named by its first press.
        {Recording({{Key, 0x10, 1, 0, 0, 0},
                    {Key, 0x10, 1, 0, 0, 0},
                    {Key, 0x10, 1, 0, 0, 0},
                    {Key, 0x10, 0, 0, 0, 0},
                    {Button, 513, 0, 0, 0, 0},
                    {Key, 0x41, 1, 0, 0, 0},
                    {Key, 0x41, 1, 0, 0, 0},
                    {Button, 0x20B, 0, 0, 0, 1}}),
         {"record 4 (byte 48): note: key Shift released here after 3 presses (a held key's repeats); the player "
          "sends 2 more releases at the end of the pass",
          "record 5 (byte 64): left button pressed here is still held at the end; the player releases it",
          "record 6 (byte 80): key A pressed here is still held at the end; the player releases it",
          "record 8 (byte 112): X1 button pressed here is still held at the end; the player releases it"}},
        {Recording({{Button, 0x20B, 0, 0, 0, 3}}), {"record 1 (byte 0): X button 3 (y) is not 1 or 2, not played"}},
        {Recording({{Button, 0x20C, 0, 0, 4, 1}}),
         {"record 1 (byte 0): unused fields not zero (x 4), ignored by the player"}},
        {Recording({{HorizontalWheel, 0, 0, 0, 0, -INT32_MAX / 120 - 1}}),
         {"record 1 (byte 0): horizontal wheel of -17895698 notches is too far to play"}},
        {withTail, {"record 2 (byte 16): partial record at the end, 3 of 16 bytes, never played"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines;
        const std::vector<CheckFinding> findings = CheckRecording(c.bytes);
        for (const CheckFinding& finding : findings) lines.push_back(FormatFinding(finding));
        EXPECT_EQ(c.findings, lines);
        // Only notes leave the file as played as written.
        const bool notesOnly = lines.size() == 1 && lines[0].find("note: ") != std::string::npos;
        EXPECT_EQ(!notesOnly, HasFindingsBeyondNotes(findings)) << lines[0];
    }
}

TEST(RecordInfo, SumsTheDelaysAsThePlayerSchedulesThem)
{
    Bytes bytes = Recording({
        {Move, 0, 0, 3, -5, 10},
        {Key, 0x10, 1, 3, 0, 0},
        {99, 0, 0, 3, 0, 0},  // played as nothing, but its delay is waited for
        {Move, 0, 0, -4, 100, -20},
        {Button, 519, 0, 0, 0, 0},
        {Wheel, 0, 0, 2, 0, 1},
        {Button, 0x20C, 0, 0, 0, 2},
        {HorizontalWheel, 0, 0, 0, 0, 1},
        {HorizontalWheel, 0, 0, 0, 0, -1},
    });
    bytes.push_back(0);
    const RecordingInfo info = SummarizeRecording(bytes, 2);
    EXPECT_EQ(9, info.records);
    EXPECT_EQ(1, info.tailBytes);
    EXPECT_EQ((std::vector<int64_t>{1, 1, 1, 2, 1, 2, 1}),
              (std::vector<int64_t>{info.byKind[Key], info.byKind[Button], info.xButtons, info.byKind[Move],
                                    info.byKind[Wheel], info.byKind[HorizontalWheel], info.otherKinds}));
    EXPECT_EQ(11, info.delaySum);        // the -4 counts as 0
    EXPECT_EQ(5, info.durationAtSpeed);  // 11 / 2, as whole milliseconds
    ASSERT_EQ(2u, info.held.size());
    EXPECT_EQ("key Shift", HeldName(info.held[0]));
    EXPECT_EQ("middle button", HeldName(info.held[1]));
    EXPECT_EQ(5, info.held[1].record);
    EXPECT_TRUE(info.hasMoves);
    EXPECT_EQ((std::vector<int32_t>{-5, 100, -20, 10}),
              (std::vector<int32_t>{info.minX, info.maxX, info.minY, info.maxY}));
    EXPECT_EQ(3, info.longestPause);
    EXPECT_EQ(1, info.longestPauseRecord);
}

TEST(RecordInfo, WritesLongDurationsAsHoursMinutesAndSeconds)
{
    EXPECT_EQ("0:00:00.000", ClockTime(0));
    EXPECT_EQ("1:01:01.001", ClockTime(3661001));
    EXPECT_EQ("596:31:23.647", ClockTime(INT32_MAX));
}
