// The edits of tandrel-rec, each defined once: its name, its one-line purpose, its options and
// how they combine, its help, and the pure functions that do it. The overview of --help, each
// edit's own help, the reading of the command line and the running of an edit all come from
// this one list; docs/recording-format.md has a section per edit, which a test holds to it.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "RecordRetime.h"
#include "RecordStrip.h"
#include "RecordThin.h"

struct Arguments;

// The state of whichever edit runs, from EditStates{} (random: the seed); only its own part is
// used.
struct EditStates {
    RetimeState retime;
    ThinState thin;
    StripState strip;
    uint64_t random;
};

// Which of an edit's options it needs.
enum class EditNeeds {
    OneOf,  // exactly one of them, once
    AllOf,  // every one
    AnyOf,  // one or more
};

struct EditOption {
    std::string_view name;   // "--speed"
    std::string_view value;  // what its value is called in the help, "F"; empty for a flag
    std::string_view about;  // one line for the edit's help
    // Takes the value (empty for a flag) into the arguments; false with the problem.
    bool (*apply)(Arguments& parsed, const std::string& value, std::string& problem);
};

struct EditCommand {
    std::string_view name;     // the command, "retime"
    std::string_view purpose;  // one line for the overview of --help
    EditNeeds needs;
    std::span<const EditOption> options;
    std::string_view details;  // the rest of its help, whole lines
    // Edits one run of whole records in file order, appending to out.
    void (*records)(EditStates& states, const Arguments& args, std::span<const uint8_t> wholeRecords,
                    std::vector<uint8_t>& out);
    // Appends what it held back for the end; nullptr when it holds nothing back.
    void (*finish)(EditStates& states, std::vector<uint8_t>& out);
};

// Every edit, in the order of the help.
std::span<const EditCommand> EditCommands();
// The edit of this name, or nullptr.
const EditCommand* FindEdit(std::string_view name);
// The edit's option of this name, or nullptr.
const EditOption* FindEditOption(const EditCommand& edit, std::string_view name);
// "--speed F | --fixed-delay MS", "--from WxH --to WxH", "[--moves] [--wheel]": its options as
// the usage lines show them.
std::string EditOptionsUsage(const EditCommand& edit);
