// The list of the edits. A new edit is a row here (with its options, its help and its pure
// functions), its fields in Arguments, and its section in docs/recording-format.md.
#include "ToolEdits.h"

#include "RecordEdit.h"
#include "RecordJitter.h"
#include "RecordRescale.h"
#include "ToolArguments.h"

namespace {

bool Refuse(std::string& problem, const std::string& message)
{
    problem = message;
    return false;
}

bool TakeMilliseconds(const std::string& name, const std::string& value, int64_t& milliseconds, std::string& problem)
{
    if (ReadMilliseconds(value, milliseconds)) return true;
    return Refuse(problem, name + " \"" + value + "\" must be 0 to 2147483647 ms");
}

// retime

bool ApplySpeed(Arguments& parsed, const std::string& value, std::string& problem)
{
    parsed.retime.mode = RetimeMode::Speed;
    if (ReadSpeedFactor(value, parsed.retime.speedMillionths)) return true;
    return Refuse(problem,
                  "--speed \"" + value + "\" must be a number above 0 and at most 1000000, with up to six decimals");
}

bool ApplyFixedDelay(Arguments& parsed, const std::string& value, std::string& problem)
{
    parsed.retime.mode = RetimeMode::FixedDelay;
    return TakeMilliseconds("--fixed-delay", value, parsed.retime.milliseconds, problem);
}

bool ApplyMaxPause(Arguments& parsed, const std::string& value, std::string& problem)
{
    parsed.retime.mode = RetimeMode::MaxPause;
    return TakeMilliseconds("--max-pause", value, parsed.retime.milliseconds, problem);
}

void RetimeEdit(EditStates& states, const Arguments& args, std::span<const uint8_t> records, std::vector<uint8_t>& out)
{
    RetimeRecords(states.retime, records, args.retime, out);
}

constexpr EditOption RetimeChoices[] = {
    {"--speed", "F", "plays F times as fast: 0.5 at half speed (twice as long), 3 three times as fast", ApplySpeed},
    {"--fixed-delay", "MS", "every record's delay becomes MS", ApplyFixedDelay},
    {"--max-pause", "MS", "delays longer than MS become MS; the others stay", ApplyMaxPause},
};

constexpr std::string_view RetimeDetails =
    "F is above 0, up to 1000000, with up to six decimals. Each record is due at its old due\n"
    "time divided by F, in whole ms (rounded down), so the rounding never adds up: the new\n"
    "length is the old one divided by F, to the millisecond. A delay that would pass\n"
    "2147483647 ms stops there, and the next record makes up the rest.\n";

// thin

bool ApplyMinInterval(Arguments& parsed, const std::string& value, std::string& problem)
{
    return TakeMilliseconds("--min-interval", value, parsed.minInterval, problem);
}

void ThinEdit(EditStates& states, const Arguments& args, std::span<const uint8_t> records, std::vector<uint8_t>& out)
{
    ThinRecords(states.thin, records, args.minInterval, out);
}

void ThinFinish(EditStates& states, std::vector<uint8_t>& out)
{
    FinishThin(states.thin, out);
}

constexpr EditOption ThinChoices[] = {
    {"--min-interval", "MS", "drops the moves less than MS after the last move kept", ApplyMinInterval},
};

constexpr std::string_view ThinDetails =
    "A move followed by any other record (a click, a key, the wheel) or by the end is always\n"
    "kept, so clicks land where they were made. The delays of dropped moves are added to the\n"
    "next record kept: every record kept plays at its old time. A record that dump writes as\n"
    "raw is never dropped and keeps its bytes.\n";

// strip

// Each option names one kind of records to drop.
template <bool StripKinds::*Kind>
bool ApplyStripKind(Arguments& parsed, const std::string&, std::string&)
{
    parsed.strip.*Kind = true;
    return true;
}

void StripEdit(EditStates& states, const Arguments& args, std::span<const uint8_t> records, std::vector<uint8_t>& out)
{
    StripRecords(states.strip, records, args.strip, out);
}

constexpr EditOption StripChoices[] = {
    {"--moves", "", "drops the mouse moves", ApplyStripKind<&StripKinds::moves>},
    {"--wheel", "", "drops the turns of both wheels", ApplyStripKind<&StripKinds::wheel>},
    {"--keys", "", "drops the keys", ApplyStripKind<&StripKinds::keys>},
    {"--buttons", "", "drops the mouse buttons, the X buttons too", ApplyStripKind<&StripKinds::buttons>},
    {"--windows", "", "drops the window and control records: the recording plays blind again",
     ApplyStripKind<&StripKinds::windows>},
    {"--controls", "", "drops the control records: the recording plays at window level again",
     ApplyStripKind<&StripKinds::controls>},
};

constexpr std::string_view StripDetails =
    "The delays of dropped records are added to the next record kept, so every record kept\n"
    "plays at its old time; dropped records at the end take their time with them. Records of\n"
    "unknown kinds always stay.\n";

// rescale

bool ApplyScreen(const std::string& name, const std::string& value, ScreenSize& size, std::string& problem)
{
    if (ReadScreenSize(value, size)) return true;
    return Refuse(problem, name + " \"" + value + "\" must be a screen size such as 1920x1080");
}

bool ApplyFrom(Arguments& parsed, const std::string& value, std::string& problem)
{
    return ApplyScreen("--from", value, parsed.from, problem);
}

bool ApplyTo(Arguments& parsed, const std::string& value, std::string& problem)
{
    return ApplyScreen("--to", value, parsed.to, problem);
}

void RescaleEdit(EditStates&, const Arguments& args, std::span<const uint8_t> records, std::vector<uint8_t>& out)
{
    RescaleRecords(records, args.from, args.to, out);
}

constexpr EditOption RescaleChoices[] = {
    {"--from", "WxH", "the size of the screen the recording was made on", ApplyFrom},
    {"--to", "WxH", "the size of the screen it is to play on", ApplyTo},
};

constexpr std::string_view RescaleDetails =
    "For example --from 1920x1080 --to 2560x1440: x times 2560/1920, y times 1440/1080, to the\n"
    "nearest pixel (halves away from zero). Coordinates left of or above the primary screen,\n"
    "which are negative, scale the same way. Sizes are 1 to 2147483647 pixels a side. A move\n"
    "that dump writes as raw keeps its bytes.\n";

// jitter

bool ApplyJitterMs(Arguments& parsed, const std::string& value, std::string& problem)
{
    if (ReadMilliseconds(value, parsed.jitterMs)) return true;
    return Refuse(problem, "--ms \"" + value + "\" must be 0 to 2147483647");
}

bool ApplySeed(Arguments& parsed, const std::string& value, std::string& problem)
{
    if (ReadWholeNumber(value, parsed.seed)) return true;
    return Refuse(problem, "--seed \"" + value + "\" must be a whole number from 0 to 18446744073709551615");
}

void JitterEdit(EditStates& states, const Arguments& args, std::span<const uint8_t> records, std::vector<uint8_t>& out)
{
    JitterRecords(states.random, records, args.jitterMs, out);
}

constexpr EditOption JitterChoices[] = {
    {"--ms", "N", "the most a delay changes, either way", ApplyJitterMs},
    {"--seed", "S", "0 to 18446744073709551615: the same seed gives the same file", ApplySeed},
};

constexpr std::string_view JitterDetails =
    "Adds to each delay a random whole number of ms from -N to +N, never more than the delay\n"
    "itself either way (so no delay becomes negative, and on average the length stays). The\n"
    "same seed gives the same file on every system.\n";

constexpr EditCommand Edits[] = {
    {"retime", "slower or faster, one delay for all, pauses cut short", EditNeeds::OneOf, RetimeChoices, RetimeDetails,
     RetimeEdit, nullptr},
    {"thin", "fewer mouse moves, clicks where they were made", EditNeeds::AllOf, ThinChoices, ThinDetails, ThinEdit,
     ThinFinish},
    {"strip", "without the kinds of records named", EditNeeds::AnyOf, StripChoices, StripDetails, StripEdit, nullptr},
    {"rescale", "mouse moves for a screen of another size", EditNeeds::AllOf, RescaleChoices, RescaleDetails,
     RescaleEdit, nullptr},
    {"jitter", "delays varied by up to N ms, the same for a seed", EditNeeds::AllOf, JitterChoices, JitterDetails,
     JitterEdit, nullptr},
};

// The command line keeps which options were given as bits of 32 (Arguments::editOptionsGiven).
constexpr bool OptionsFitTheirBits()
{
    for (const EditCommand& edit : Edits) {
        if (edit.options.size() >= 32) return false;
    }
    return true;
}
static_assert(OptionsFitTheirBits(), "an edit has fewer than 32 options");

}  // namespace

std::span<const EditCommand> EditCommands()
{
    return Edits;
}

const EditCommand* FindEdit(std::string_view name)
{
    for (const EditCommand& edit : Edits) {
        if (edit.name == name) return &edit;
    }
    return nullptr;
}

const EditOption* FindEditOption(const EditCommand& edit, std::string_view name)
{
    for (const EditOption& option : edit.options) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

std::string EditOptionsUsage(const EditCommand& edit)
{
    std::string usage;
    for (const EditOption& option : edit.options) {
        if (!usage.empty()) usage += edit.needs == EditNeeds::OneOf ? " | " : " ";
        std::string one(option.name);
        if (!option.value.empty()) one += " " + std::string(option.value);
        usage += edit.needs == EditNeeds::AnyOf ? "[" + one + "]" : one;
    }
    return usage;
}
