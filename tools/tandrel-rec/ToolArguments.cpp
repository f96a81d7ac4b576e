// Options are known per command: --speed is info's divisor (1 to 10) but retime's factor, and an
// option of one command given to another is refused rather than ignored.
#include "ToolArguments.h"

#include <charconv>

#include "RecordEdit.h"

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
    if (command == "retime") return valuedIf(name == "--speed" || name == "--fixed-delay" || name == "--max-pause");
    if (command == "thin") return valuedIf(name == "--min-interval");
    if (command == "rescale") return valuedIf(name == "--from" || name == "--to");
    if (command == "jitter") return valuedIf(name == "--ms" || name == "--seed");
    if (command == "strip" &&
        (name == "--moves" || name == "--wheel" || name == "--keys" || name == "--buttons" || name == "--windows")) {
        return OptionKind::Flag;
    }
    return OptionKind::Unknown;
}

template <typename Number>
bool ReadWhole(std::string_view text, Number& value)
{
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && failure == std::errc{} && end == text.data() + text.size();
}

bool ReadMilliseconds(std::string_view text, int64_t& milliseconds)
{
    return ReadWhole(text, milliseconds) && milliseconds >= 0 && milliseconds <= LongestDelay;
}

bool Refuse(std::string& problem, const std::string& message)
{
    problem = message;
    return false;
}

bool ChooseRetime(Arguments& parsed, RetimeMode mode, std::string_view name, const std::string& value,
                  std::string& problem)
{
    ++parsed.retimeChoices;
    parsed.retime.mode = mode;
    if (mode == RetimeMode::Speed) {
        if (ReadSpeedFactor(value, parsed.retime.speedMillionths)) return true;
        return Refuse(problem, "--speed \"" + value +
                                   "\" must be a number above 0 and at most 1000000, with up to six decimals");
    }
    if (ReadMilliseconds(value, parsed.retime.milliseconds)) return true;
    return Refuse(problem, std::string(name) + " \"" + value + "\" must be 0 to 2147483647 ms");
}

bool ApplyOption(Arguments& parsed, std::string_view name, const std::string& value, std::string& problem)
{
    const std::string& command = parsed.command;
    if (name == "-o") {
        parsed.output = value;
    } else if (name == "--force") {
        parsed.force = true;
    } else if (command == "info") {
        if (!ReadWhole(value, parsed.speed) || parsed.speed < 1 || parsed.speed > 10) {
            return Refuse(problem, "speed \"" + value + "\" must be 1 to 10");
        }
    } else if (name == "--speed") {
        return ChooseRetime(parsed, RetimeMode::Speed, name, value, problem);
    } else if (name == "--fixed-delay") {
        return ChooseRetime(parsed, RetimeMode::FixedDelay, name, value, problem);
    } else if (name == "--max-pause") {
        return ChooseRetime(parsed, RetimeMode::MaxPause, name, value, problem);
    } else if (name == "--min-interval") {
        parsed.hasMinInterval = true;
        if (!ReadMilliseconds(value, parsed.minInterval)) {
            return Refuse(problem, "--min-interval \"" + value + "\" must be 0 to 2147483647 ms");
        }
    } else if (name == "--from" || name == "--to") {
        const bool from = name == "--from";
        (from ? parsed.hasFrom : parsed.hasTo) = true;
        if (!ReadScreenSize(value, from ? parsed.from : parsed.to)) {
            return Refuse(problem, std::string(name) + " \"" + value + "\" must be a screen size such as 1920x1080");
        }
    } else if (name == "--ms") {
        parsed.hasJitterMs = true;
        if (!ReadMilliseconds(value, parsed.jitterMs)) {
            return Refuse(problem, "--ms \"" + value + "\" must be 0 to 2147483647");
        }
    } else if (name == "--seed") {
        parsed.hasSeed = true;
        if (!ReadWhole(value, parsed.seed)) {
            return Refuse(problem, "--seed \"" + value + "\" must be a whole number from 0 to 18446744073709551615");
        }
    } else {
        bool& kind = name == "--moves"     ? parsed.strip.moves
                     : name == "--wheel"   ? parsed.strip.wheel
                     : name == "--keys"    ? parsed.strip.keys
                     : name == "--windows" ? parsed.strip.windows
                                           : parsed.strip.buttons;
        kind = true;
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
    if (command == "retime" && parsed.retimeChoices != 1) {
        return Refuse(problem, "retime takes one of --speed F, --fixed-delay MS and --max-pause MS");
    }
    if (command == "thin" && !parsed.hasMinInterval) return Refuse(problem, "thin needs --min-interval MS");
    const StripKinds& strip = parsed.strip;
    if (command == "strip" && !strip.moves && !strip.wheel && !strip.keys && !strip.buttons && !strip.windows) {
        return Refuse(problem, "strip needs one or more of --moves, --wheel, --keys, --buttons and --windows");
    }
    if (command == "rescale" && (!parsed.hasFrom || !parsed.hasTo)) {
        return Refuse(problem, "rescale needs --from WxH and --to WxH");
    }
    if (command == "jitter" && (!parsed.hasJitterMs || !parsed.hasSeed)) {
        return Refuse(problem, "jitter needs --ms N and --seed S (the same seed gives the same file)");
    }
    return true;
}

}  // namespace

bool IsCommand(std::string_view name)
{
    return name == "dump" || name == "pack" || name == "info" || name == "check" || WritesFile(name);
}

bool WritesFile(std::string_view command)
{
    return command == "pack" || command == "retime" || command == "thin" || command == "strip" ||
           command == "rescale" || command == "jitter";
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
