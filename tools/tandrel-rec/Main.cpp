// tandrel-rec: the command line of the recording tool. Every command goes through its file a
// piece at a time, so a file of any size takes the same little memory; everything it prints
// about a recording, and every edit it makes to one, comes from the pure parts.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <span>
#include <string>
#include <string_view>
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

// How much of a file is read at a time: a whole number of records.
constexpr size_t PieceSize = size_t{1} << 20;
static_assert(PieceSize % InputRecordSize == 0, "pieces of whole records");

int Fail(const std::string& message)
{
    std::fputs(("tandrel-rec: " + message + "\n").c_str(), stderr);
    return ExitBad;
}

int FailUsage(const std::string& message)
{
    std::fputs(("tandrel-rec: " + message + "\n(tandrel-rec --help shows the usage)\n").c_str(), stderr);
    return ExitBad;
}

// Memory ran out (a line of text too long to hold, say): a message and exit 2, never an abort,
// and no temporary file left behind.
void OutOfMemory()
{
    if (gTemporaryBeingWritten != nullptr) std::remove(gTemporaryBeingWritten);
    std::fputs("tandrel-rec: out of memory\n", stderr);
    std::exit(ExitBad);
}

std::span<const uint8_t> BytesOf(const std::string& text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// Goes through a recording a run of whole records at a time, then gives the partial record
// at its end (perhaps empty). Each step answers false with the problem to stop.
template <typename Records, typename End>
bool ForEachPiece(InputFile& input, Records records, End end, std::string& problem)
{
    std::vector<uint8_t> buffer(PieceSize);
    size_t filled = 0;
    for (;;) {
        size_t got = 0;
        if (!ReadSome(input, buffer.data() + filled, PieceSize - filled, got, problem)) return false;
        if (got == 0) break;
        filled += got;
        const size_t whole = filled - filled % InputRecordSize;
        if (whole == 0) continue;
        if (!records(std::span<const uint8_t>(buffer.data(), whole), problem)) return false;
        std::memmove(buffer.data(), buffer.data() + whole, filled - whole);
        filled -= whole;
    }
    return end(std::span<const uint8_t>(buffer.data(), filled), problem);
}

// Writes text to standard output; false with the problem when it cannot.
bool Print(const std::string& text, std::string& problem)
{
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size()) return true;
    problem = "cannot write standard output: " + ErrorText(errno);
    return false;
}

int Dump(const Arguments& args)
{
    InputFile input{};
    OutputFile output{};
    std::string problem;
    if (!OpenInput(args.files[0], input, problem) || !OpenOutput("-", false, input, output, problem)) {
        return Fail(problem);
    }
    std::string text;
    AppendTextHeader(text);
    const auto records = [&](std::span<const uint8_t> piece, std::string& why) {
        AppendRecordsText(text, piece);
        const bool written = WriteOutput(output, BytesOf(text), why);
        text.clear();
        return written;
    };
    const auto end = [&](std::span<const uint8_t> tail, std::string& why) {
        AppendTailText(text, tail);
        return WriteOutput(output, BytesOf(text), why) && FinishOutput(output, why);
    };
    const bool done = ForEachPiece(input, records, end, problem);
    CloseInput(input);
    return done ? ExitOk : Fail(problem);
}

// The text is read in pieces that end at a line end; a line longer than a piece makes the
// piece grow until it ends.
int Pack(const Arguments& args)
{
    InputFile input{};
    OutputFile output{};
    std::string problem;
    if (!OpenInput(args.files[0], input, problem)) return Fail(problem);
    if (!OpenOutput(args.output, args.force, input, output, problem)) {
        CloseInput(input);
        return Fail(problem);
    }
    TextReader reader{};
    TextError error{};
    std::vector<uint8_t> bytes;
    std::vector<char> buffer(PieceSize);
    size_t filled = 0;
    bool textRight = true;
    bool failed = false;
    bool ended = false;
    while (textRight && !failed && !ended) {
        if (filled == buffer.size()) buffer.resize(buffer.size() * 2);
        size_t got = 0;
        failed =
            !ReadSome(input, reinterpret_cast<uint8_t*>(buffer.data()) + filled, buffer.size() - filled, got, problem);
        if (failed) break;
        filled += got;
        ended = got == 0;
        const std::string_view read(buffer.data(), filled);
        const size_t lines = ended ? filled : read.rfind('\n') + 1;  // npos + 1: no whole line yet
        if (lines == 0 && !ended) continue;
        textRight = ReadTextLines(reader, read.substr(0, lines), bytes, error) && (!ended || FinishText(reader, error));
        failed = textRight && !WriteOutput(output, bytes, problem);
        bytes.clear();
        std::memmove(buffer.data(), buffer.data() + lines, filled - lines);
        filled -= lines;
    }
    CloseInput(input);
    if (!textRight) {
        AbandonOutput(output);
        std::fputs(
            (DisplayName(args.files[0]) + ":" + std::to_string(error.line) + ": " + error.message + "\n").c_str(),
            stderr);
        return ExitBad;
    }
    if (failed || !FinishOutput(output, problem)) {
        AbandonOutput(output);
        return Fail(problem);
    }
    return ExitOk;
}

// The state of whichever edit runs; only its own part is used.
struct EditStates {
    RetimeState retime;
    ThinState thin;
    StripState strip;
    uint64_t random;
};

void EditRecords(const Arguments& args, EditStates& states, std::span<const uint8_t> records, std::vector<uint8_t>& out)
{
    const std::string& command = args.command;
    if (command == "retime") {
        RetimeRecords(states.retime, records, args.retime, out);
    } else if (command == "thin") {
        ThinRecords(states.thin, records, args.minInterval, out);
    } else if (command == "strip") {
        StripRecords(states.strip, records, args.strip, out);
    } else if (command == "rescale") {
        RescaleRecords(records, args.from, args.to, out);
    } else {
        JitterRecords(states.random, records, args.jitterMs, out);
    }
}

int Edit(const Arguments& args)
{
    InputFile input{};
    OutputFile output{};
    std::string problem;
    if (!OpenInput(args.files[0], input, problem)) return Fail(problem);
    if (!OpenOutput(args.output, args.force, input, output, problem)) {
        CloseInput(input);
        return Fail(problem);
    }
    EditStates states{};
    states.random = args.seed;
    std::vector<uint8_t> out;
    out.reserve(PieceSize);
    const auto records = [&](std::span<const uint8_t> piece, std::string& why) {
        EditRecords(args, states, piece, out);
        const bool written = WriteOutput(output, out, why);
        out.clear();
        return written;
    };
    const auto end = [&](std::span<const uint8_t> tail, std::string& why) {
        if (args.command == "thin") FinishThin(states.thin, out);
        out.insert(out.end(), tail.begin(), tail.end());
        return WriteOutput(output, out, why) && FinishOutput(output, why);
    };
    const bool done = ForEachPiece(input, records, end, problem);
    CloseInput(input);
    if (done) return ExitOk;
    AbandonOutput(output);
    return Fail(problem);
}

int Info(const Arguments& args)
{
    InputFile input{};
    std::string problem;
    if (!OpenInput(args.files[0], input, problem)) return Fail(problem);
    RecordingInfo info;
    StartSummary(info, args.speed);
    const auto records = [&](std::span<const uint8_t> piece, std::string&) {
        SummarizeRecords(info, piece);
        return true;
    };
    const auto end = [&](std::span<const uint8_t> tail, std::string& why) {
        FinishSummary(info, static_cast<int64_t>(tail.size()));
        return Print(FormatRecordingInfo(info), why);
    };
    const bool done = ForEachPiece(input, records, end, problem);
    CloseInput(input);
    return done ? ExitOk : Fail(problem);
}

// Findings are printed as they are found; notes leave the exit status alone.
int Check(const Arguments& args)
{
    InputFile input{};
    std::string problem;
    if (!OpenInput(args.files[0], input, problem)) return Fail(problem);
    CheckState state{};
    std::vector<CheckFinding> findings;
    bool anyFinding = false;
    bool anyNote = false;
    const auto print = [&](std::string& why) {
        std::string text;
        for (const CheckFinding& finding : findings) {
            text += FormatFinding(finding) + "\n";
            (finding.note ? anyNote : anyFinding) = true;
        }
        findings.clear();
        return Print(text, why);
    };
    const auto records = [&](std::span<const uint8_t> piece, std::string& why) {
        CheckRecords(state, piece, findings);
        return print(why);
    };
    const auto end = [&](std::span<const uint8_t> tail, std::string& why) {
        FinishCheck(state, static_cast<int64_t>(tail.size()), findings);
        if (!print(why)) return false;
        if (anyFinding) return true;
        return Print(DisplayName(args.files[0]) + ": " + std::to_string(state.records) + " records, played " +
                         (anyNote ? "as written (see the notes)\n" : "exactly as written\n"),
                     why);
    };
    const bool done = ForEachPiece(input, records, end, problem);
    CloseInput(input);
    if (!done) return Fail(problem);
    return anyFinding ? ExitFindings : ExitOk;
}

}  // namespace

int main(int argc, char** argv)
{
    std::set_new_handler(OutOfMemory);
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
        std::fputs("tandrel-rec " TANDREL_VERSION "\n", stdout);
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
