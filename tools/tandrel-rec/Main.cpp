// tandrel-rec: the command line of the recording tool. Reads and writes files with the C++
// standard library only; everything it prints about a recording, and every edit it makes to
// one, comes from the pure parts.
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "RecordCheck.h"
#include "RecordInfo.h"
#include "RecordJitter.h"
#include "RecordRescale.h"
#include "RecordRetime.h"
#include "RecordStrip.h"
#include "RecordText.h"
#include "RecordThin.h"
#include "ToolArguments.h"
#include "ToolFiles.h"
#include "ToolHelp.h"
#include "recording/InputRecord.h"

#ifndef TANDREL_VERSION
#error "TANDREL_VERSION must be defined by the build (the project's version)"
#endif

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFindings = 1;
constexpr int ExitBad = 2;

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tandrel-rec: %s\n", message.c_str());
    return ExitBad;
}

int FailUsage(const std::string& message)
{
    std::fprintf(stderr, "tandrel-rec: %s\n(tandrel-rec --help shows the usage)\n", message.c_str());
    return ExitBad;
}

std::span<const uint8_t> BytesOf(const std::string& text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Refuses, before anything is read, an output that is the input or that exists without --force.
bool OutputAllowed(const Arguments& args, std::string& problem)
{
    if (args.output == "-") return true;
    if (IsSameFile(args.files[0], args.output)) {
        problem = args.output + " is the input file; write to another file";
        return false;
    }
    std::error_code ignored;
    if (!args.force && std::filesystem::exists(args.output, ignored)) {
        problem = args.output + " already exists (--force replaces it)";
        return false;
    }
    return true;
}

int WriteOutput(const Arguments& args, std::span<const uint8_t> bytes)
{
    if (args.output == "-") {
        if (!WriteStandardOutput(bytes)) return Fail("cannot write standard output: " + ErrorText(errno));
        return ExitOk;
    }
    std::string problem;
    if (!WriteFileSafely(args.output, bytes, args.force, problem)) return Fail(problem);
    return ExitOk;
}

int Dump(const Arguments& args)
{
    std::vector<uint8_t> bytes;
    std::string problem;
    if (!ReadWholeFile(args.files[0], bytes, problem)) return Fail(problem);
    std::string text;
    AppendRecordingText(text, bytes);
    if (!WriteStandardOutput(BytesOf(text))) return Fail("cannot write standard output: " + ErrorText(errno));
    return ExitOk;
}

int Pack(const Arguments& args)
{
    std::string problem;
    if (!OutputAllowed(args, problem)) return Fail(problem);
    std::vector<uint8_t> text;
    if (!ReadWholeFile(args.files[0], text, problem)) return Fail(problem);
    std::vector<uint8_t> bytes;
    TextError error;
    const std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
    if (!ReadRecordingText(view, bytes, error)) {
        std::fprintf(stderr, "%s:%lld: %s\n", DisplayName(args.files[0]).c_str(), static_cast<long long>(error.line),
                     error.message.c_str());
        return ExitBad;
    }
    return WriteOutput(args, bytes);
}

std::vector<uint8_t> Edited(const Arguments& args, std::span<const uint8_t> bytes)
{
    const std::string& command = args.command;
    if (command == "retime") return RetimeRecording(bytes, args.retime);
    if (command == "thin") return ThinRecording(bytes, args.minInterval);
    if (command == "strip") return StripRecording(bytes, args.strip);
    if (command == "rescale") return RescaleRecording(bytes, args.from, args.to);
    return JitterRecording(bytes, args.jitterMs, args.seed);
}

int Edit(const Arguments& args)
{
    std::string problem;
    if (!OutputAllowed(args, problem)) return Fail(problem);
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(args.files[0], bytes, problem)) return Fail(problem);
    return WriteOutput(args, Edited(args, bytes));
}

int Info(const Arguments& args)
{
    std::vector<uint8_t> bytes;
    std::string problem;
    if (!ReadWholeFile(args.files[0], bytes, problem)) return Fail(problem);
    const std::string text = FormatRecordingInfo(SummarizeRecording(bytes, args.speed));
    if (!WriteStandardOutput(BytesOf(text))) return Fail("cannot write standard output: " + ErrorText(errno));
    return ExitOk;
}

int Check(const Arguments& args)
{
    std::vector<uint8_t> bytes;
    std::string problem;
    if (!ReadWholeFile(args.files[0], bytes, problem)) return Fail(problem);
    const std::vector<CheckFinding> findings = CheckRecording(bytes);
    std::string text;
    for (const CheckFinding& finding : findings) text += FormatFinding(finding) + "\n";
    if (findings.empty()) {
        text = DisplayName(args.files[0]) + ": " + std::to_string(bytes.size() / InputRecordSize) +
               " records, played exactly as written\n";
    }
    if (!WriteStandardOutput(BytesOf(text))) return Fail("cannot write standard output: " + ErrorText(errno));
    return findings.empty() ? ExitOk : ExitFindings;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Recordings are binary, and the text form is the same on every system: no CR added or taken.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(HelpText("").c_str(), stderr);
        return ExitBad;
    }
    // Help wins wherever it is asked for, even after a command: that command's help, if any.
    bool help = args[0] == "help";
    for (const std::string& arg : args) help = help || arg == "--help" || arg == "-h";
    if (help) {
        const std::string& about = args[0] == "help" && args.size() > 1 ? args[1] : args[0];
        std::fputs(HelpText(about).c_str(), stdout);
        return ExitOk;
    }
    if (args[0] == "--version") {
        std::printf("tandrel-rec %s\n", TANDREL_VERSION);
        return ExitOk;
    }
    const std::string& command = args[0];
    if (!IsCommand(command)) return FailUsage("unknown command " + command);
    Arguments parsed;
    std::string problem;
    if (!ParseArguments(args, parsed, problem)) return FailUsage(problem);
    if (command == "dump") return Dump(parsed);
    if (command == "pack") return Pack(parsed);
    if (command == "info") return Info(parsed);
    if (command == "check") return Check(parsed);
    return Edit(parsed);
}
