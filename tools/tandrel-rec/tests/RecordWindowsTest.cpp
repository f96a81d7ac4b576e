// Window records in tandrel-rec: the window line and its byte-exact round trip, odd groups kept
// as raw lines, what check and info say of them, and strip --windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordCheck.h"
#include "RecordInfo.h"
#include "RecordStrip.h"
#include "RecordText.h"
#include "TestRecordings.h"
#include "recording/WindowRecords.h"
#include "support/WindowIdentities.h"

namespace {

std::vector<InputRecord> Joined(std::initializer_list<std::vector<InputRecord>> parts)
{
    std::vector<InputRecord> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Pack(const std::string& text, TextError* error = nullptr)
{
    Bytes bytes;
    TextError ignored{};
    EXPECT_EQ(error == nullptr, ReadRecordingText(text, bytes, error ? *error : ignored)) << ignored.message;
    return bytes;
}

std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

const InputRecord KeyA{Key, 0x41, 1, 120, 0, 0};
const InputRecord KeyAUp{Key, 0x41, 0, 30, 0, 0};

}  // namespace

TEST(WindowText, AGroupIsOneLineTheNextRecordKeepsItsLineAndThePackIsByteExact)
{
    const Bytes bytes = Recording(Joined({WindowGroup(Window("notepad.exe", "Notepad", 120, -80, 800, 600)), {KeyA}}));
    const auto lines = LinesOf(Dump(bytes));
    ASSERT_EQ(6u, lines.size());  // the header, the window and its two continued records, the key
    EXPECT_EQ("window notepad.exe Notepad 120 -80 800 600", lines[1]);
    EXPECT_EQ(0u, lines[2].find('#'));
    EXPECT_EQ("120 key A down", lines[5]);
    EXPECT_EQ(bytes, Pack(Dump(bytes)));
}

TEST(WindowText, NamesOfAnyBytesComeBack)
{
    const char* names[] = {"", "-", "my program.exe", "100%#x", "\xC3\xA4rger.exe", "a\tb"};
    for (const char* program : names) {
        for (const char* windowClass : names) {
            const Bytes bytes = Recording(WindowGroup(Window(program, windowClass, 1, 2, 3, 4)));
            const std::string text = Dump(bytes);
            EXPECT_EQ(std::string::npos, text.find("raw")) << text;
            EXPECT_EQ(bytes, Pack(text)) << text;
        }
    }
    EXPECT_EQ("window %C3%A4rger.exe - 1 2 3 4",
              LinesOf(Dump(Recording(WindowGroup(Window("\xC3\xA4rger.exe", "", 1, 2, 3, 4)))))[1]);
}

TEST(WindowText, GroupsThatAreNotTheRecordersBytesStayRawAndComeBackToo)
{
    auto delayed = WindowGroup(Window("a.exe", "A", 0, 0, 1, 1));
    delayed[1].delay = 5;
    auto padded = WindowGroup(Window("a.exe", "A", 0, 0, 1, 1));
    padded.back().y = 0x7F000000;
    auto cut = WindowGroup(Window("a.exe", "a-class-of-a-long-name", 0, 0, 1, 1));
    cut.pop_back();
    for (const auto& records : {delayed, padded, Joined({cut, {KeyA}})}) {
        const Bytes bytes = Recording(records);
        const std::string text = Dump(bytes);
        EXPECT_EQ(std::string::npos, text.find("window ")) << text;
        EXPECT_EQ(bytes, Pack(text));
    }
}

TEST(WindowText, BadWindowLinesAreRefusedWithTheirLine)
{
    for (const char* line :
         {"window a.exe A 1 2 3", "window a.exe A 1 2 3 x", "window a%4 A 1 2 3 4", "window a%00b A 1 2 3 4"}) {
        TextError error{};
        Pack(std::string("tandrel-rec 1\n") + line + "\n", &error);
        EXPECT_EQ(2, error.line) << line;
    }
}

TEST(WindowCheckAndInfo, CheckFindsWindowRecordsOutOfPlaceAndInfoListsTheWindows)
{
    const auto first = WindowGroup(Window("notepad.exe", "Notepad", 0, 0, 800, 600));
    const auto second = WindowGroup(Window("calc.exe", "CalcFrame", 10, 10, 300, 400));
    EXPECT_TRUE(CheckRecording(Recording(Joined({first, {KeyA, KeyAUp}, second, {KeyA, KeyAUp}}))).empty());

    auto cut = first;
    cut.pop_back();
    const auto findings = CheckRecording(Recording(Joined({{first[2]}, cut, {KeyA, KeyAUp}})));
    ASSERT_EQ(2u, findings.size());
    EXPECT_EQ(1, findings[0].record);                                     // a name without its group
    EXPECT_EQ(static_cast<int64_t>(cut.size()) + 2, findings[1].record);  // the key that cut it short

    const std::string info =
        FormatRecordingInfo(SummarizeRecording(Recording(Joined({first, {KeyA}, second, {KeyA}})), 1));
    EXPECT_NE(std::string::npos, info.find("windows:       record 1: notepad.exe Notepad at 0,0 size 800x600\n"))
        << info;
    EXPECT_NE(std::string::npos,
              info.find("record " + std::to_string(first.size() + 2) + ": calc.exe CalcFrame at 10,10 size 300x400"));
    EXPECT_EQ(std::string::npos, info.find("unknown kind"));
}

TEST(WindowStrip, StripWindowsLeavesABlindRecordingWithTheSameTimes)
{
    auto group = WindowGroup(Window("a.exe", "A", 0, 0, 1, 1));
    group[1].delay = 7;  // an edited group's delay goes to the record after it
    const Bytes with = Recording(Joined({{KeyA}, group, {KeyA}}));
    StripKinds kinds{};
    kinds.windows = true;
    const Bytes without = StripRecording(with, kinds);
    EXPECT_EQ(Recording({KeyA, InputRecord{Key, 0x41, 1, 127, 0, 0}}), without);
}
