// The run log's line: one line whatever the path holds, fields a script splits at tabs, the
// path back exactly after undoing its "%" escapes; and the rotation at the limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/RunLogLine.h"

namespace {

std::vector<std::string> SplitAtTabs(const std::string& text)
{
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == '\t')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// What a script does with the last field (PowerShell: [uri]::UnescapeDataString).
std::string Unescaped(const std::string& field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '%' && i + 2 < field.size()) {
            out += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::string AsBytes(const char8_t* text)
{
    return reinterpret_cast<const char*>(text);
}

RunLogEntry Entry(std::wstring_view path)
{
    return {{2026, 12, 7, 7, 30, 5, 60}, 4321, RunEnd::Played, 3, 2, 2, path};
}

}  // namespace

TEST(RunLogLine, APathWithSpacesTabsAndOtherLettersStaysOneLineAndSplitsBack)
{
    // Spaces, a tab, a line break, "%", umlauts, CJK and a letter beyond the BMP (a pair).
    const std::wstring path = L"C:\\Meine Aufnahmen\\Gr\u00fc\u00dfe\t\u65e5\u672c\r\n100% \U0001D49C.rec";
    const std::string line = FormatRunLogLine(Entry(path));

    ASSERT_GE(line.size(), 2u);
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    const std::string body = line.substr(0, line.size() - 2);
    EXPECT_EQ(body.find_first_of("\r\n"), std::string::npos) << body;

    const std::vector<std::string> fields = SplitAtTabs(body);
    ASSERT_EQ(fields.size(), 7u) << body;
    EXPECT_EQ(fields[0], "2026-12-07T07:30:05+01:00");
    EXPECT_EQ(fields[1], "4321");
    EXPECT_EQ(fields[2], "played");
    EXPECT_EQ(fields[3], "3");
    EXPECT_EQ(fields[4], "2");
    EXPECT_EQ(fields[5], "2");
    EXPECT_EQ(Unescaped(fields[6]),
              AsBytes(u8"C:\\Meine Aufnahmen\\Gr\u00fc\u00dfe\t\u65e5\u672c\r\n100% \U0001D49C.rec"));
}

TEST(RunLogLine, TheUnicodeLineBreaksAreEscapedAsTheControlCharactersAre)
{
    // The next line, the line separator and the paragraph separator: a reader that splits at
    // Unicode line breaks would break the line there.
    const std::wstring path = L"C:\\a\u0085b\u2028c\u2029d\u00c5.rec";
    const std::string line = FormatRunLogLine(Entry(path));
    const std::vector<std::string> fields = SplitAtTabs(line.substr(0, line.size() - 2));
    ASSERT_EQ(fields.size(), 7u) << line;
    EXPECT_EQ(fields[6], "C:\\a%C2%85b%E2%80%A8c%E2%80%A9d\xC3\x85.rec");
    EXPECT_EQ(Unescaped(fields[6]), AsBytes(u8"C:\\a\u0085b\u2028c\u2029d\u00c5.rec"));
}

TEST(RunLogLine, TheStartLineAndAnEndWithItsOffsetWestOfUtcAndNegativeRepeats)
{
    RunLogEntry entry{{987, 1, 2, 3, 4, 5, -(3 * 60 + 30)}, 7, RunEnd::None, 0, 1, -1, L"x.rec"};
    EXPECT_EQ(FormatRunLogLine(entry), "0987-01-02T03:04:05-03:30\t7\tstarted\t0\t1\t-1\tx.rec\r\n");
    entry.end = RunEnd::WindowMissing;
    entry.time.offsetMinutes = 0;
    EXPECT_EQ(FormatRunLogLine(entry), "0987-01-02T03:04:05+00:00\t7\twindow-missing\t0\t1\t-1\tx.rec\r\n");
}

TEST(RunLogLine, ALoneSurrogateBecomesTheReplacementCharacter)
{
    const std::wstring path = {L'a', static_cast<wchar_t>(0xD800), L'b', static_cast<wchar_t>(0xDC00)};
    const std::string line = FormatRunLogLine(Entry(path));
    EXPECT_EQ(SplitAtTabs(line.substr(0, line.size() - 2)).back(), AsBytes(u8"a\uFFFDb\uFFFD"));
}

TEST(RunLogRotation, SetAsideOnlyWhenTheLineWouldTakeTheLogPastTheLimit)
{
    EXPECT_FALSE(ShouldRotateRunLog(RunLogLimitBytes - 100, 100));
    EXPECT_TRUE(ShouldRotateRunLog(RunLogLimitBytes - 100, 101));
    EXPECT_TRUE(ShouldRotateRunLog(RunLogLimitBytes + 5000, 1));
    // An empty log keeps even a line longer than the limit.
    EXPECT_FALSE(ShouldRotateRunLog(0, RunLogLimitBytes + 1));
}
