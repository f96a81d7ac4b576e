// What tandrel-rec --help and tandrel-rec COMMAND --help print; the edits' parts come from their
// list (ToolEdits.cpp).
#include "ToolHelp.h"

#include "ToolEdits.h"

namespace {

constexpr std::string_view UsageStart =
    "Usage: tandrel-rec COMMAND ...\n"
    "\n"
    "  dump FILE.rec                       the recording as text, on standard output\n"
    "  pack FILE.txt -o FILE.rec [--force] the text packed into a recording; an existing\n"
    "                                      FILE.rec is replaced only with --force\n"
    "  info FILE.rec [--speed N]           records, duration (also at speed N, 1 to 10), what is\n"
    "                                      held at the end, where the mouse goes, longest pause\n"
    "  check FILE.rec                      exit 0 when the program plays the file as written,\n"
    "                                      else exit 1; one line per finding or note\n"
    "\n"
    "Edits, each writing a new recording with -o OUT [--force]:\n";

constexpr std::string_view UsageEnd = "\n"
                                      "  --help, --version; tandrel-rec COMMAND --help tells more about a command.\n"
                                      "\n"
                                      "A FILE of - is standard input; -o - writes to standard output.\n"
                                      "Exit status: 0 done, 1 check has findings, 2 bad usage or bad input.\n";

constexpr std::string_view OutputRules =
    "\n"
    "OUT is written whole or not at all; an existing OUT is replaced only with --force, and\n"
    "never when it is the file IN is (whatever the names, through - too). With --force a file\n"
    "is replaced, a pipe or device written into, anything else (a folder, a link to nothing)\n"
    "refused. IN is never changed. -o - writes to standard output, and an IN of - is standard\n"
    "input. Times are counted as the player counts them (a negative delay as 0). Records the\n"
    "command does not change are copied byte for byte, a partial record at the end too.\n";

constexpr std::string_view DumpHelp = "Usage: tandrel-rec dump FILE.rec\n"
                                      "\n"
                                      "Writes the recording as text on standard output, one record a line:\n"
                                      "  DELAY key NAME down|up                          120 key A down\n"
                                      "  DELAY button left|right|middle|x1|x2 down|up    300 button x1 down (back)\n"
                                      "  DELAY move X Y                                  15 move 640 480\n"
                                      "  DELAY wheel NOTCHES (positive away from you)    200 wheel -2\n"
                                      "  DELAY hwheel NOTCHES (positive to the right)    40 hwheel 1\n"
                                      "  raw and 16 bytes in hex: a record the player does not play as written\n"
                                      "(docs/recording-format.md describes the text form).\n";

constexpr std::string_view PackHelp = "Usage: tandrel-rec pack FILE.txt -o FILE.rec [--force]\n"
                                      "\n"
                                      "Packs the text form back into a recording, exactly the bytes it\n"
                                      "describes. An error in the text is reported as FILE:LINE: what is wrong,\n"
                                      "and nothing is written.\n";

constexpr std::string_view InfoHelp = "Usage: tandrel-rec info FILE.rec [--speed N]\n"
                                      "\n"
                                      "Prints the records by kind, how long the recording plays (also at the\n"
                                      "program's speed N, 1 to 10), what is held at the end (repeated presses\n"
                                      "of a held key count once), where the mouse goes and the longest pause.\n";

constexpr std::string_view CheckHelp =
    "Usage: tandrel-rec check FILE.rec\n"
    "\n"
    "Exit 0 when the program plays the file as written; else exit 1 and one line per finding:\n"
    "partial records, negative delays, odd records (an X button other than x1 and x2 too),\n"
    "wheel turns too large, keys and buttons still held at the end, pauses over an hour.\n"
    "Notes leave the exit status alone: an F9 (played into the target like any key) and a\n"
    "key released after repeats (the player sends a release for each at the end of the pass).\n";

// The column where the explanations of the usage lines start.
constexpr size_t ExplanationColumn = 38;

// One line of the overview per edit (two when its usage is long).
std::string EditsOverview()
{
    std::string lines;
    for (const EditCommand& edit : EditCommands()) {
        const std::string usage = "  " + std::string(edit.name) + " IN " + EditOptionsUsage(edit);
        lines += usage;
        if (usage.size() + 1 > ExplanationColumn) {
            lines += "\n" + std::string(ExplanationColumn, ' ');
        } else {
            lines += std::string(ExplanationColumn - usage.size(), ' ');
        }
        lines += std::string(edit.purpose) + "\n";
    }
    return lines;
}

std::string EditHelp(const EditCommand& edit)
{
    const std::string options = EditOptionsUsage(edit);
    std::string text = "Usage: tandrel-rec " + std::string(edit.name) + " IN -o OUT [--force] " +
                       (edit.needs == EditNeeds::OneOf ? "(" + options + ")" : options) + "\n\n";
    text += std::string(edit.name) + ": " + std::string(edit.purpose) + ".\n";
    for (const EditOption& option : edit.options) {
        std::string name = "  " + std::string(option.name);
        if (!option.value.empty()) name += " " + std::string(option.value);
        name.resize(name.size() < 20 ? 20 : name.size() + 1, ' ');
        text += name + std::string(option.about) + "\n";
    }
    return text + "\n" + std::string(edit.details) + std::string(OutputRules);
}

}  // namespace

std::string HelpText(std::string_view command)
{
    if (command == "dump") return std::string(DumpHelp);
    if (command == "pack") return std::string(PackHelp);
    if (command == "info") return std::string(InfoHelp);
    if (command == "check") return std::string(CheckHelp);
    const EditCommand* edit = FindEdit(command);
    if (edit != nullptr) return EditHelp(*edit);
    return std::string(UsageStart) + EditsOverview() + std::string(UsageEnd);
}
