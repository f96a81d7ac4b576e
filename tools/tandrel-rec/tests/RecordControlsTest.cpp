// Control records in tandrel-rec: the control line and its byte-exact round trip, odd groups kept
// as raw lines, what check and info say of them, and strip --controls and --windows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "RecordCheck.h"
#include "RecordInfo.h"
#include "RecordStrip.h"
#include "RecordText.h"
#include "TestRecordings.h"
#include "recording/ControlRecords.h"
#include "support/WindowIdentities.h"

namespace {

ControlIdentity Control(const std::string& controlClass, int32_t id = 1, int32_t place = 0)
{
    ControlIdentity c{};
    std::strncpy(c.controlClass, controlClass.c_str(), sizeof c.controlClass - 1);
    c.id = id;
    c.place = place;
    c.left = 12;
    c.top = -3;
    c.width = 80;
    c.height = 24;
    c.dpi = 144;
    return c;
}

std::vector<InputRecord> ControlGroup(const ControlIdentity& c)
{
    std::vector<InputRecord> records(MaxControlRecords);
    records.resize(EncodeControlRecords(c, records.data()));
    return records;
}

std::vector<InputRecord> Joined(std::initializer_list<std::vector<InputRecord>> parts)
{
    std::vector<InputRecord> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
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

Bytes Packed(const std::string& text)
{
    Bytes bytes;
    TextError error{};
    EXPECT_TRUE(ReadRecordingText(text, bytes, error)) << error.line << ": " << error.message;
    return bytes;
}

const InputRecord Click{Button, 0x201, 0, 200, 0, 0};
const InputRecord Release{Button, 0x202, 0, 90, 0, 0};

}  // namespace

TEST(ControlText, AGroupIsOneLineWhateverItsClassAndComesBackByteForByte)
{
    struct Case {
        ControlIdentity control;
        const char* line;
        size_t records;
    };
    const std::string longClass(200, 'L');
    const Case cases[] = {
        {Control("Button", 1, 0), "control Button 1 0 12 -3 80 24 144", 4},
        {Control("Wide Edit#%", -1, 3), "control Wide%20Edit%23%25 -1 3 12 -3 80 24 144", 4},
        {Control("", 0, 0), "control - 0 0 12 -3 80 24 144", 3},
        {Control("-", 7, 32767), "control %2D 7 32767 12 -3 80 24 144", 4},
        {Control(longClass, 1001, 2), nullptr, 3 + (200 + 10) / 11},
    };
    for (const Case& c : cases) {
        const Bytes bytes = Recording(Joined({ControlGroup(c.control), {Click}}));
        const std::string text = Dump(bytes);
        const auto lines = LinesOf(text);
        SCOPED_TRACE(text);
        ASSERT_EQ(1 + c.records + 1, lines.size());  // the header, the group's lines, the click
        const std::string expected = c.line ? c.line : "control " + longClass + " 1001 2 12 -3 80 24 144";
        EXPECT_EQ(expected, lines[1]);
        for (size_t i = 2; i < 1 + c.records; ++i) EXPECT_EQ("#   (control, continued)", lines[i]);
        EXPECT_EQ("200 button left down", lines.back());
        EXPECT_EQ(bytes, Packed(text));
    }
}

TEST(ControlText, AGroupNotAsTheRecorderWritesItIsWrittenRawAndStillComesBack)
{
    std::vector<InputRecord> delayed = ControlGroup(Control("Edit"));
    delayed[2].delay = 5;  // a delay within the group
    std::vector<InputRecord> padded = ControlGroup(Control("Edit"));
    padded[3].y = 0x01000000;  // padding after the class that is not zero
    std::vector<InputRecord> cut = ControlGroup(Control("ComboBox"));
    cut.pop_back();  // cut short by the click after it
    for (const auto& group : {delayed, padded, cut}) {
        const Bytes bytes = Recording(Joined({group, {Click}}));
        const std::string text = Dump(bytes);
        SCOPED_TRACE(text);
        EXPECT_EQ(std::string::npos, text.find("control "));
        EXPECT_NE(std::string::npos, text.find("\nraw 08 "));
        EXPECT_EQ(bytes, Packed(text));
    }
}

TEST(ControlText, ABadControlLineIsAnErrorOfItsLine)
{
    for (const char* line :
         {"control Edit 1 0 1 2 3 4", "control Edit 1 -1 1 2 3 4 96", "control Edit 1 0 1 2 3 4 40000",
          "control Ed%00it 1 0 1 2 3 4 96", "control Edit x 0 1 2 3 4 96"}) {
        Bytes bytes;
        TextError error{};
        EXPECT_FALSE(ReadRecordingText(std::string("tandrel-rec 1\n") + line + "\n", bytes, error)) << line;
        EXPECT_EQ(2, error.line) << line;
        EXPECT_FALSE(error.message.empty());
    }
}

TEST(ControlCheck, ControlRecordsOutOfPlaceOrCutShortAreFindingsAndAWholeGroupIsNone)
{
    const WindowIdentity window = Window("form.exe", "FormClass", 0, 0, 640, 480);
    const Bytes good = Recording(Joined({WindowGroup(window),
                                         ControlGroup(Control("Edit")),
                                         {Click, Release},
                                         ControlGroup(Control("Button", 2)),
                                         {Click, Release}}));
    EXPECT_TRUE(CheckRecording(good).empty()) << Dump(good);

    std::vector<InputRecord> cut = ControlGroup(Control("Edit"));
    cut.pop_back();
    const Bytes odd = Recording(Joined({{InputRecord{ControlSize, 96, 0, 0, 1, 1}}, cut, {Click, Release}}));
    const std::vector<CheckFinding> findings = CheckRecording(odd);
    ASSERT_EQ(2u, findings.size()) << Dump(odd);
    EXPECT_EQ(1, findings[0].record);
    EXPECT_NE(std::string::npos, findings[0].what.find("control record 9 out of place")) << findings[0].what;
    EXPECT_EQ(1 + static_cast<int64_t>(cut.size()) + 1, findings[1].record);
    EXPECT_NE(std::string::npos, findings[1].what.find("control records before this record are cut short"));
}

TEST(ControlInfo, EachControlIsListedWithTheRecordItsGroupBeginsAt)
{
    const Bytes bytes = Recording(Joined({WindowGroup(Window("form.exe", "FormClass")),
                                          ControlGroup(Control("Edit", 15)),
                                          {Click, Release},
                                          ControlGroup(Control("Button", 1, 2)),
                                          {Click}}));
    const RecordingInfo info = SummarizeRecording(bytes, 1);
    const std::string text = FormatRecordingInfo(info);
    EXPECT_NE(std::string::npos, text.find(", window 4, control 8)")) << text;
    EXPECT_NE(std::string::npos,
              text.find("\ncontrols:      record 5: Edit id 15 place 0 at 12,-3 size 80x24 dpi 144\n"
                        "               record 11: Button id 1 place 2 at 12,-3 size 80x24 dpi 144\n"))
        << text;
    EXPECT_EQ(std::string::npos, FormatRecordingInfo(SummarizeRecording(Recording({Click}), 1)).find("controls:"));
}

TEST(ControlStrip, ControlsDropsTheControlGroupsAndWindowsDropsBoth)
{
    const std::vector<InputRecord> window = WindowGroup(Window("form.exe", "FormClass"));
    const Bytes bytes = Recording(Joined({window, ControlGroup(Control("Edit")), {Click, Release}}));
    StripKinds controls{};
    controls.controls = true;
    EXPECT_EQ(Recording(Joined({window, {Click, Release}})), StripRecording(bytes, controls));
    StripKinds windows{};
    windows.windows = true;
    EXPECT_EQ(Recording({Click, Release}), StripRecording(bytes, windows));
}
