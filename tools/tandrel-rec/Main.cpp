// tandrel-rec: the command line of the recording tool. Every command goes through its file a
// piece at a time, so a file of any size takes the same little memory; everything it prints
// about a recording, and every edit it makes to one, comes from the pure parts. Whatever it
// writes is flushed and checked before the exit status is chosen: output that did not reach
// its destination is never a success.
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
#include "RecordText.h"
#include "SystemText.h"
#include "TemporaryFile.h"
#include "ToolArguments.h"
#include "ToolEdits.h"
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

// The longest line of text that pack takes, without its line end: far beyond any record's line
// with a comment, and small enough that pack's memory stays bounded whatever it is given.
constexpr size_t LongestTextLine = PieceSize;

int Fail(const std::string& message)
{
    WriteStandardText(stderr, "tandrel-rec: " + message + "\n");
    return ExitBad;
}

int FailUsage(const std::string& message)
{
    WriteStandardText(stderr, "tandrel-rec: " + message + "\n(tandrel-rec --help shows the usage)\n");
    return ExitBad;
}

// Memory ran out: a message and exit 2, never an abort, and no temporary file left behind.
void OutOfMemory()
{
    RemoveTemporaryNow();
    (void)std::fputs("tandrel-rec: out of memory\n", stderr);
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
    if (WriteStandardText(stdout, text)) return true;
    problem = "cannot write standard output: " + ErrorText(errno);
    return false;
}

// The exit status once standard output has been flushed and found whole; a status of ExitBad
// has had its message already.
int Conclude(int status)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    const int error = errno;
    return status == ExitBad ? ExitBad : Fail("cannot write standard output: " + ErrorText(error));
}

// Opens the input, then the output; false with the problem, and nothing left open, when either
// cannot be opened.
bool OpenFiles(const std::string& inputPath, const std::string& outputPath, bool force, InputFile& input,
               OutputFile& output, std::string& problem)
{
    if (!OpenInput(inputPath, input, problem)) return false;
    if (OpenOutput(outputPath, force, input, output, problem)) return true;
    CloseInput(input);
    return false;
}

int Dump(const Arguments& args)
{
    InputFile input{};
    OutputFile output{};
    std::string problem;
    if (!OpenFiles(args.files[0], "-", false, input, output, problem)) return Fail(problem);
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

// The text is read in pieces that end at a line end, into a buffer of a fixed size: a line that
// does not fit is an error of that line, and memory stays bounded whatever the text.
int Pack(const Arguments& args)
{
    InputFile input{};
    OutputFile output{};
    std::string problem;
    if (!OpenFiles(args.files[0], args.output, args.force, input, output, problem)) return Fail(problem);
    TextReader reader{};
    TextError error{};
    std::vector<uint8_t> bytes;
    std::vector<char> buffer(LongestTextLine + 1);  // a longest line and its line feed
    size_t filled = 0;
    bool textRight = true;
    bool failed = false;
    for (bool ended = false; textRight && !failed && !ended;) {
        size_t got = 0;
        failed =
            !ReadSome(input, reinterpret_cast<uint8_t*>(buffer.data()) + filled, buffer.size() - filled, got, problem);
        if (failed) break;
        filled += got;
        ended = got == 0;
        const std::string_view read(buffer.data(), filled);
        const size_t lines = ended ? filled : read.rfind('\n') + 1;  // npos + 1: no whole line yet
        if (lines == 0 && !ended) {
            if (filled < buffer.size()) continue;
            error = TextError{reader.lineNumber + 1,
                              "the line is longer than " + std::to_string(LongestTextLine) + " bytes"};
            textRight = false;
            break;
        }
        textRight = ReadTextLines(reader, read.substr(0, lines), bytes, error) && (!ended || FinishText(reader, error));
        failed = textRight && !WriteOutput(output, bytes, problem);
        bytes.clear();
        std::memmove(buffer.data(), buffer.data() + lines, filled - lines);
        filled -= lines;
    }
    CloseInput(input);
    if (!textRight) {
        AbandonOutput(output);
        WriteStandardText(stderr,
                          DisplayName(args.files[0]) + ":" + std::to_string(error.line) + ": " + error.message + "\n");
        return ExitBad;
    }
    if (failed || !FinishOutput(output, problem)) {
        AbandonOutput(output);
        return Fail(problem);
    }
    return ExitOk;
}

int Edit(const Arguments& args)
{
    const EditCommand& edit = *FindEdit(args.command);
    InputFile input{};
    OutputFile output{};
    std::string problem;
    if (!OpenFiles(args.files[0], args.output, args.force, input, output, problem)) return Fail(problem);
    EditStates states{};
    states.random = args.seed;
    std::vector<uint8_t> out;
    out.reserve(PieceSize);
    const auto records = [&](std::span<const uint8_t> piece, std::string& why) {
        edit.records(states, args, piece, out);
        const bool written = WriteOutput(output, out, why);
        out.clear();
        return written;
    };
    const auto end = [&](std::span<const uint8_t> tail, std::string& why) {
        if (edit.finish != nullptr) edit.finish(states, out);
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

int Run(const std::vector<std::string>& args)
{
    if (args.empty()) {
        WriteStandardText(stderr, HelpText(""));
        return ExitBad;
    }
    std::string problem;
    // Help wins wherever it is asked for, even after a command: that command's help, if any.
    bool help = args[0] == "help";
    for (const std::string& arg : args) help = help || arg == "--help" || arg == "-h";
    if (help) {
        const std::string& about = args[0] == "help" && args.size() > 1 ? args[1] : args[0];
        return Print(HelpText(about), problem) ? ExitOk : Fail(problem);
    }
    if (args[0] == "--version") {
        return Print("tandrel-rec " TANDREL_VERSION "\n", problem) ? ExitOk : Fail(problem);
    }
    const std::string& command = args[0];
    if (!IsCommand(command)) return FailUsage("unknown command " + command);
    Arguments parsed;
    if (!ParseArguments(args, parsed, problem)) return FailUsage(problem);
    if (command == "dump") return Dump(parsed);
    if (command == "pack") return Pack(parsed);
    if (command == "info") return Info(parsed);
    if (command == "check") return Check(parsed);
    return Edit(parsed);
}

void Prepare()
{
    std::set_new_handler(OutOfMemory);
    WatchInterruptions();
#ifdef _WIN32
    // Recordings are binary, and the text form is the same on every system: no CR added or taken.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace

#ifdef _WIN32
// The wide entry point: every argument as the system has it, whatever the code page.
int wmain(int argc, wchar_t** argv)
{
    Prepare();
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(Utf8Text(argv[i]));
    return Conclude(Run(args));
}
#else
int main(int argc, char** argv)
{
    Prepare();
    return Conclude(Run(std::vector<std::string>(argv + 1, argv + argc)));
}
#endif
