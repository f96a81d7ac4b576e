// The list of the edits is the one place an edit is registered: each one it holds has its help,
// its line in the overview, and a section in docs/recording-format.md naming its options; the
// README and LIESMICH.txt name it. An edit added without them fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ToolEdits.h"
#include "ToolHelp.h"

namespace {

std::string FileText(const char* relativePath)
{
    std::ifstream file(std::string(TANDREL_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The section of a markdown text under this heading, up to the next heading of any level.
std::string Section(const std::string& text, const std::string& heading)
{
    const size_t start = text.find("\n" + heading + "\n");
    if (start == std::string::npos) return {};
    const size_t end = text.find("\n#", start + heading.size() + 2);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(ToolEdits, EveryEditHasItsHelpAndItsSectionInTheDocuments)
{
    const std::string format = FileText("docs/recording-format.md");
    const std::string readme = FileText("README.md");
    const std::string liesmich = FileText("cmake/LIESMICH.txt.in");
    ASSERT_FALSE(format.empty() || readme.empty() || liesmich.empty()) << "documents not found";
    const std::string overview = HelpText("");
    ASSERT_FALSE(EditCommands().empty());
    for (const EditCommand& edit : EditCommands()) {
        const std::string name(edit.name);
        SCOPED_TRACE(name);
        EXPECT_FALSE(edit.purpose.empty());
        EXPECT_FALSE(edit.details.empty());
        EXPECT_NE(std::string::npos, overview.find("  " + name + " IN ")) << "no line in --help";
        EXPECT_NE(std::string::npos, overview.find(std::string(edit.purpose) + "\n"));
        const std::string help = HelpText(name);
        EXPECT_EQ(0u, help.find("Usage: tandrel-rec " + name + " IN -o OUT [--force] "));
        const std::string section = Section(format, "### `" + name + "`");
        EXPECT_FALSE(section.empty()) << "no section ### `" << name << "` in docs/recording-format.md";
        for (const EditOption& option : edit.options) {
            const std::string optionName(option.name);
            EXPECT_FALSE(option.about.empty()) << optionName;
            EXPECT_TRUE(option.apply != nullptr) << optionName;
            EXPECT_NE(std::string::npos, help.find("\n  " + optionName + " ")) << optionName << " not in its help";
            EXPECT_NE(std::string::npos, section.find("`" + optionName)) << optionName << " not in its section";
        }
        EXPECT_NE(std::string::npos, readme.find("`" + name + "`")) << "README.md does not name it";
        EXPECT_NE(std::string::npos, liesmich.find("tandrel-rec " + name + " ")) << "LIESMICH.txt does not name it";
    }
}

}  // namespace
