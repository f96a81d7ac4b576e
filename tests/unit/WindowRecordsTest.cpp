// The window records: a window's identity written as a group of 16-byte records and read back
// record by record, as the recorder writes and the player and tandrel-rec read them.
#include <gtest/gtest.h>

#include <vector>

#include "recording/WindowRecords.h"
#include "support/WindowIdentities.h"

namespace {

std::vector<WindowRecordStep> Read(WindowRecordReader& reader, const std::vector<InputRecord>& records)
{
    std::vector<WindowRecordStep> steps;
    for (const InputRecord& r : records) steps.push_back(ReadWindowRecord(reader, r));
    return steps;
}

using Steps = std::vector<WindowRecordStep>;
constexpr auto Incomplete = WindowRecordStep::Incomplete;
constexpr auto Complete = WindowRecordStep::Complete;
constexpr auto Malformed = WindowRecordStep::Malformed;

}  // namespace

TEST(WindowRecords, TheBytesOfAGroupAsTheFormatDocumentsThem)
{
    const auto records = WindowGroup(Window("notepad.exe", "Notepad", -1600, 80, 800, 600));
    std::vector<uint8_t> bytes(records.size() * InputRecordSize);
    for (size_t i = 0; i < records.size(); ++i) EncodeInputRecord(records[i], bytes.data() + i * InputRecordSize);
    const std::vector<uint8_t> expected = {
        0x05, 0x0B, 0x00, 0x00, 0, 0, 0, 0, 0xC0, 0xF9, 0xFF, 0xFF, 0x50, 0x00, 0x00, 0x00,  // place
        0x06, 0x07, 0x00, 0x00, 0, 0, 0, 0, 0x20, 0x03, 0x00, 0x00, 0x58, 0x02, 0x00, 0x00,  // size
        0x07, 'n',  'o',  't',  0, 0, 0, 0, 'e',  'p',  'a',  'd',  '.',  'e',  'x',  'e',   // names
        0x07, 'N',  'o',  't',  0, 0, 0, 0, 'e',  'p',  'a',  'd',  0,    0,    0,    0,
    };
    EXPECT_EQ(expected, bytes);
}

TEST(WindowRecords, AGroupReadsBackWhateverTheLengthOfItsNames)
{
    // Names of 0, 10, 11, 12 and many bytes (UTF-8 included) fall on every edge of a name record.
    const char* programs[] = {"", "a.exe", "abcdefghijk", "\xC3\xA4rger.exe", "a-program-of-a-long-name.exe"};
    const char* classes[] = {"", "K", "#32770", "Chrome_WidgetWin_1", "Fenster\xE2\x80\x94Klasse"};
    for (const char* program : programs) {
        for (const char* windowClass : classes) {
            const WindowIdentity w = Window(program, windowClass, -5, 7, 300, 200);
            const auto records = WindowGroup(w);
            WindowRecordReader reader;
            ResetWindowRecordReader(reader);
            Steps expected(records.size(), Incomplete);
            expected.back() = Complete;
            ASSERT_EQ(expected, Read(reader, records)) << program << " " << windowClass;
            EXPECT_STREQ(program, reader.window.program);
            EXPECT_STREQ(windowClass, reader.window.windowClass);
            EXPECT_EQ(-5, reader.window.left);
            EXPECT_EQ(200, reader.window.height);
            for (const InputRecord& r : records) EXPECT_EQ(0, r.delay);
        }
    }
}

TEST(WindowRecords, RecordsOutOfPlaceAreMalformedAndTheNextGroupStillReads)
{
    const auto group = WindowGroup(Window("notepad.exe", "Notepad", 0, 0, 10, 10));
    WindowRecordReader reader;
    ResetWindowRecordReader(reader);
    // A name without its place and size; a group cut off by a key; a zero within a name.
    EXPECT_EQ(Malformed, ReadWindowRecord(reader, group[2]));
    EXPECT_EQ(Incomplete, ReadWindowRecord(reader, group[0]));
    EXPECT_EQ(WindowRecordStep::NotWindow, ReadWindowRecord(reader, InputRecord{Key, 0x41, 1, 5, 0, 0}));
    EXPECT_EQ(Malformed, ReadWindowRecord(reader, group[1]));
    auto zero = group;
    zero[2].x = 0;
    EXPECT_EQ((Steps{Incomplete, Incomplete, Malformed}), Read(reader, {zero[0], zero[1], zero[2]}));
    auto tooLong = group;
    tooLong[0].code = static_cast<int16_t>(WindowProgramBytes);
    EXPECT_EQ(Malformed, ReadWindowRecord(reader, tooLong[0]));
    EXPECT_EQ((Steps{Incomplete, Incomplete, Incomplete, Complete}), Read(reader, group));
    EXPECT_STREQ("Notepad", reader.window.windowClass);
}
