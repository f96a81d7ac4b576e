// What tandrel-rec --help and tandrel-rec COMMAND --help print.
#include "ToolHelp.h"

namespace {

constexpr std::string_view Usage =
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
    "Edits, each writing a new recording with -o OUT [--force]:\n"
    "  retime IN --speed F | --fixed-delay MS | --max-pause MS\n"
    "                                      slower or faster, one delay for all, pauses cut short\n"
    "  thin IN --min-interval MS           fewer mouse moves, clicks where they were made\n"
    "  strip IN --moves --wheel --keys --buttons --windows\n"
    "                                      without the kinds of records named (--wheel: both\n"
    "                                      wheels, --buttons: the X buttons too)\n"
    "  rescale IN --from WxH --to WxH      mouse moves for a screen of another size\n"
    "  jitter IN --ms N --seed S           delays varied by up to N ms, the same for a seed\n"
    "\n"
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

constexpr std::string_view RetimeHelp =
    "Usage: tandrel-rec retime IN -o OUT [--force] (--speed F | --fixed-delay MS | --max-pause MS)\n"
    "\n"
    "  --speed F         plays F times as fast: 0.5 at half speed (twice as long), 3 three\n"
    "                    times as fast. F is above 0, up to 1000000, with up to six decimals.\n"
    "                    Each record is due at its old due time divided by F, in whole ms\n"
    "                    (rounded down), so the rounding never adds up: the new length is the\n"
    "                    old one divided by F, to the millisecond.\n"
    "  --fixed-delay MS  every record's delay becomes MS.\n"
    "  --max-pause MS    delays longer than MS become MS; the others stay.\n"
    "\n"
    "A delay that would pass 2147483647 ms stops there, and the next record makes up the rest.\n";

constexpr std::string_view ThinHelp =
    "Usage: tandrel-rec thin IN -o OUT [--force] --min-interval MS\n"
    "\n"
    "Drops the mouse moves that come less than MS after the last move kept. A move followed by\n"
    "any other record (a click, a key, the wheel) or by the end is always kept, so clicks land\n"
    "where they were made. The delays of dropped moves are added to the next record kept: every\n"
    "record kept plays at its old time. A record that dump writes as raw is never dropped and\n"
    "keeps its bytes.\n";

constexpr std::string_view StripHelp =
    "Usage: tandrel-rec strip IN -o OUT [--force] [--moves] [--wheel] [--keys] [--buttons] [--windows]\n"
    "\n"
    "Drops every record of the kinds named (one or more): --wheel both wheels, --buttons the X\n"
    "buttons too, --windows the window records (the recording then plays blind, as recordings\n"
    "without them do). The delays of dropped records are added to the next record kept, so\n"
    "every record kept plays at its old time; dropped records at the end take their time with\n"
    "them.\n"
    "Records of unknown kinds always stay.\n";

constexpr std::string_view RescaleHelp =
    "Usage: tandrel-rec rescale IN -o OUT [--force] --from WxH --to WxH\n"
    "\n"
    "Maps every mouse move from a screen of one size to a screen of another, for example\n"
    "--from 1920x1080 --to 2560x1440: x times 2560/1920, y times 1440/1080, to the nearest pixel\n"
    "(halves away from zero). Coordinates left of or above the primary screen, which are\n"
    "negative, scale the same way. Sizes are 1 to 2147483647 pixels a side. A move that dump\n"
    "writes as raw keeps its bytes.\n";

constexpr std::string_view JitterHelp =
    "Usage: tandrel-rec jitter IN -o OUT [--force] --ms N --seed S\n"
    "\n"
    "Adds to each delay a random whole number of ms from -N to +N, never more than the delay\n"
    "itself either way (so no delay becomes negative, and on average the length stays). The same\n"
    "seed S (0 to 18446744073709551615) gives the same file on every system.\n";

}  // namespace

std::string HelpText(std::string_view command)
{
    if (command == "dump") return std::string(DumpHelp);
    if (command == "pack") return std::string(PackHelp);
    if (command == "info") return std::string(InfoHelp);
    if (command == "check") return std::string(CheckHelp);
    std::string_view edit;
    if (command == "retime") edit = RetimeHelp;
    if (command == "thin") edit = ThinHelp;
    if (command == "strip") edit = StripHelp;
    if (command == "rescale") edit = RescaleHelp;
    if (command == "jitter") edit = JitterHelp;
    if (edit.empty()) return std::string(Usage);
    return std::string(edit) + std::string(OutputRules);
}
