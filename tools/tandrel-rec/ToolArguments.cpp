// Options are known per command: --speed is info's divisor (1 to 10) but retime's factor, and an
// option of one command given to another is refused rather than ignored.
#include "ToolArguments.h"

#include <charconv>

#include "RecordEdit.h"
#include "ToolEdits.h"

namespace {

enum class OptionKind {
    Unknown,
    Flag,
    Valued
};

OptionKind KindOfOption(std::string_view command, std::string_view name)
{
    const auto valuedIf = [](bool known) { return known ? OptionKind::Valued : OptionKind::Unknown; };
    if (name == "-o") return valuedIf(WritesFile(command));
    if (name == "--force") return WritesFile(command) ? OptionKind::Flag : OptionKind::Unknown;
    if (command == "info") return valuedIf(name == "--speed");
    const EditCommand* edit = FindEdit(command);
    const EditOption* option = edit == nullptr ? nullptr : FindEditOption(*edit, name);
    if (option == nullptr) return OptionKind::Unknown;
    return option->value.empty() ? OptionKind::Flag : OptionKind::Valued;
}

template <typename Number>
bool ReadWhole(std::string_view text, Number& value)
{
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && failure == std::errc{} && end == text.data() + text.size();
}

bool Refuse(std::string& problem, const std::string& message)
{
    problem = message;
    return false;
}

bool ApplyOption(Arguments& parsed, std::string_view name, const std::string& value, std::string& problem)
{
    const std::string& command = parsed.command;
    if (name == "-o") {
        parsed.output = value;
        return true;
    }
    if (name == "--force") {
        parsed.force = true;
        return true;
    }
    if (command == "info") {
        if (ReadWhole(value, parsed.speed) && parsed.speed >= 1 && parsed.speed <= 10) return true;
        return Refuse(problem, "speed \"" + value + "\" must be 1 to 10");
    }
    const EditCommand& edit = *FindEdit(command);
    const EditOption& option = *FindEditOption(edit, name);
    parsed.editOptionsGiven |= uint32_t{1} << (&option - edit.options.data());
    ++parsed.editOptionCount;
    return option.apply(parsed, value, problem);
}

// "--speed F, --fixed-delay MS and --max-pause MS"
std::string OptionList(const EditCommand& edit, std::string_view last)
{
    std::string list;
    for (size_t i = 0; i < edit.options.size(); ++i) {
        const EditOption& option = edit.options[i];
        if (i > 0) list += i + 1 == edit.options.size() ? std::string(last) : ", ";
        list += std::string(option.name) + (option.value.empty() ? "" : " " + std::string(option.value));
    }
    return list;
}

// An edit's options as it needs them.
bool CheckEditOptions(const Arguments& parsed, const EditCommand& edit, std::string& problem)
{
    const std::string name(edit.name);
    const uint32_t all = (uint32_t{1} << edit.options.size()) - 1;
    switch (edit.needs) {
    case EditNeeds::OneOf:
        if (parsed.editOptionCount == 1) return true;
        return Refuse(problem, name + " takes one of " + OptionList(edit, " and "));
    case EditNeeds::AllOf:
        if (parsed.editOptionsGiven == all) return true;
        return Refuse(problem, name + " needs " + OptionList(edit, " and "));
    case EditNeeds::AnyOf:
        if (parsed.editOptionsGiven != 0) return true;
        return Refuse(problem, name + " needs one or more of " + OptionList(edit, " and "));
    }
    return true;
}

// What the command needs beyond its file, once every argument is read.
bool CheckComplete(const Arguments& parsed, std::string& problem)
{
    const std::string& command = parsed.command;
    if (WritesFile(command) && parsed.output.empty()) {
        return Refuse(problem, command + " needs -o FILE (or -o - for standard output)");
    }
    const EditCommand* edit = FindEdit(command);
    if (edit != nullptr) return CheckEditOptions(parsed, *edit, problem);
    return true;
}

}  // namespace

bool IsCommand(std::string_view name)
{
    return name == "dump" || name == "pack" || name == "info" || name == "check" || WritesFile(name);
}

bool WritesFile(std::string_view command)
{
    return command == "pack" || FindEdit(command) != nullptr;
}

bool ReadMilliseconds(std::string_view text, int64_t& milliseconds)
{
    return ReadWhole(text, milliseconds) && milliseconds >= 0 && milliseconds <= LongestDelay;
}

bool ReadWholeNumber(std::string_view text, uint64_t& value)
{
    return ReadWhole(text, value);
}

bool ParseArguments(const std::vector<std::string>& args, Arguments& parsed, std::string& problem)
{
    parsed = Arguments{};
    parsed.speed = 1;
    parsed.command = args[0];
    bool optionsEnded = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            parsed.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
        const std::string name = arg.substr(0, equals);
        const OptionKind kind = KindOfOption(parsed.command, name);
        if (kind == OptionKind::Unknown) return Refuse(problem, "unknown option " + name + " for " + parsed.command);
        std::string value;
        if (kind == OptionKind::Flag && equals != std::string::npos) {
            return Refuse(problem, name + " takes no value");
        } else if (kind == OptionKind::Valued && equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (kind == OptionKind::Valued) {
            if (i + 1 == args.size()) return Refuse(problem, name + " needs a value");
            value = args[++i];
        }
        if (!ApplyOption(parsed, name, value, problem)) return false;
    }
    if (parsed.files.size() != 1) {
        return Refuse(problem, parsed.command + " takes one file, " + std::to_string(parsed.files.size()) + " given");
    }
    return CheckComplete(parsed, problem);
}
