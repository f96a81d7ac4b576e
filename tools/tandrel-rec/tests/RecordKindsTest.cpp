// The table of record kinds (recording/RecordKinds.def) against everything made from it: a text
// with a line of every word packs into records of every kind and dumps back to itself, check
// finds nothing in it and info counts every kind by its word; the fuzz dictionary and the format
// document know each kind; and record_kinds.json, which the end-to-end tests read, says of each
// kind what the table says. A kind added to the table without its text form, its check or its
// place in info fails here, once, whichever kind it is.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "RecordCheck.h"
#include "RecordInfo.h"
#include "RecordText.h"
#include "TestRecordings.h"
#include "recording/RecordKinds.h"

namespace {

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A line of each word, in the form dump writes it. A new kind gets its line here.
const char* const EveryWord = "tandrel-rec 1  # one record a line: delay in ms, kind, fields\n"
                              "window notepad.exe Notepad 120 -80 800 600\n"
                              "#   (window, continued)\n"
                              "#   (window, continued)\n"
                              "#   (window, continued)\n"
                              "control Edit 15 0 12 40 300 22 96\n"
                              "#   (control, continued)\n"
                              "#   (control, continued)\n"
                              "#   (control, continued)\n"
                              "120 key A down\n"
                              "30 key A up\n"
                              "10 move 640 480\n"
                              "300 button left down\n"
                              "90 button left up\n"
                              "200 wheel -2\n"
                              "90 hwheel 1\n";

TEST(RecordKinds, EveryKindHasItsTextFormCheckAndInfo)
{
    Bytes bytes;
    TextError error{};
    ASSERT_TRUE(ReadRecordingText(EveryWord, bytes, error)) << error.line << ": " << error.message;
    EXPECT_EQ(EveryWord, Dump(bytes)) << "the text form does not come back line for line";

    std::set<int> kinds;
    for (const InputRecord& record : RecordsOf(bytes)) kinds.insert(record.kind);
    for (const RecordKindRow& row : RecordKinds)
        EXPECT_EQ(1u, kinds.count(row.kind)) << row.name << ": no line of EveryWord packs into it";

    const std::vector<CheckFinding> findings = CheckRecording(bytes);
    for (const CheckFinding& finding : findings) ADD_FAILURE() << "check: " << FormatFinding(finding);

    const RecordingInfo info = SummarizeRecording(bytes, 1);
    EXPECT_EQ(0, info.otherKinds);
    const std::string summary = FormatRecordingInfo(info);
    const std::string counts = summary.substr(0, summary.find('\n'));
    for (const RecordKindRow& row : RecordKinds) {
        const std::string word(row.word);
        EXPECT_TRUE(counts.find("(" + word + " ") != std::string::npos ||
                    counts.find(", " + word + " ") != std::string::npos)
            << row.name << ": " << counts;
    }
    EXPECT_EQ(1u, info.windows.size());
    EXPECT_EQ(1u, info.controls.size());
}

TEST(RecordKinds, TheFuzzDictionaryAndTheFormatDocumentNameEveryKind)
{
    const std::string dictionary =
        FileText(std::string(TANDREL_SOURCE_DIR) + "/tests/fuzz/dictionaries/recording-text.dict");
    const std::string format = FileText(std::string(TANDREL_SOURCE_DIR) + "/docs/recording-format.md");
    ASSERT_FALSE(dictionary.empty() || format.empty()) << "files not found";
    for (const RecordKindRow& row : RecordKinds) {
        EXPECT_NE(std::string::npos, dictionary.find("=\"" + std::string(row.word) + " \"")) << row.word;
        const std::string numbered = std::to_string(row.kind) + " " + std::string(row.name);
        EXPECT_NE(std::string::npos, format.find(numbered)) << "docs/recording-format.md does not say " << numbered;
    }
}

// The table as the preprocessor reads RecordKinds.def, each row in the words of the JSON file.
struct NamedRow {
    int number;
    std::string name, word, fields, player;
};

std::string FieldNames(uint8_t fields)
{
    std::string names;
    for (const auto& [flag, name] : {std::pair{FieldCode, "code"}, {FieldDown, "down"}, {FieldX, "x"}, {FieldY, "y"}}) {
        if ((fields & flag) == 0) continue;
        if (!names.empty()) names += ", ";
        names += "\"" + std::string(name) + "\"";
    }
    return names;
}

const NamedRow TableRows[] = {
#define RECORD_KIND(number, name, word, fields, player) {number, #name, word, FieldNames(fields), #player},
#include "recording/RecordKinds.def"
#undef RECORD_KIND
};

TEST(RecordKinds, TheEndToEndTestsReadTheTableAsTheProgramIsBuiltWithIt)
{
    const std::string json = FileText(TANDREL_RECORD_KINDS_JSON);
    ASSERT_FALSE(json.empty()) << TANDREL_RECORD_KINDS_JSON << " not found";
    std::string expected = "[\n";
    for (const NamedRow& row : TableRows) {
        if (&row != TableRows) expected += ",\n";
        expected += "  {\"number\": " + std::to_string(row.number) + ", \"name\": \"" + row.name + "\", \"word\": \"" +
                    row.word + "\", \"fields\": [" + row.fields + "], \"player\": \"" + row.player + "\"}";
    }
    EXPECT_EQ(expected + "\n]\n", json);
    ASSERT_EQ(RecordKindCount, std::size(TableRows));
    for (size_t i = 0; i < RecordKindCount; ++i) {
        EXPECT_EQ(RecordKinds[i].name, TableRows[i].name);
        EXPECT_EQ(RecordKinds[i].kind, TableRows[i].number);
    }
}

}  // namespace
