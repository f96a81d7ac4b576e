// tandrel-rec: the command line of the recording tool. Reads and writes files with the C++
// standard library only; everything it prints about a recording comes from the pure parts.
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <random>
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
#include "RecordText.h"
#include "recording/InputRecord.h"

#ifndef TANDREL_VERSION
#error "TANDREL_VERSION must be defined by the build (the project's version)"
#endif

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFindings = 1;
constexpr int ExitBad = 2;

constexpr std::string_view Usage =
    "Usage: tandrel-rec COMMAND ...\n"
    "\n"
    "  dump FILE.rec                       the recording as text, on standard output\n"
    "  pack FILE.txt -o FILE.rec [--force] the text packed into a recording; an existing\n"
    "                                      FILE.rec is replaced only with --force\n"
    "  info FILE.rec [--speed N]           records, duration (also at speed N, 1 to 10), what is\n"
    "                                      held at the end, where the mouse goes, longest pause\n"
    "  check FILE.rec                      exit 0 when the program plays the file exactly as\n"
    "                                      written, else exit 1 and one line per finding\n"
    "  --help, --version\n"
    "\n"
    "A FILE of - is standard input; -o - writes to standard output.\n"
    "Exit status: 0 done, 1 check has findings, 2 bad usage or bad input.\n";

struct Arguments {
    std::string command;
    std::vector<std::string> files;
    std::string output;
    bool force;
    int speed;
};

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

std::string ErrorText(int error)
{
    return std::generic_category().message(error);
}

std::string DisplayName(const std::string& path)
{
    return path == "-" ? "<stdin>" : path;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& problem)
{
    std::FILE* file = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        problem = "cannot read " + path + ": " + ErrorText(errno);
        return false;
    }
    if (file != stdin) {
        // One allocation for the whole file where its size is known beforehand.
        std::error_code unknownSize;
        const uintmax_t size = std::filesystem::file_size(path, unknownSize);
        if (!unknownSize) bytes.reserve(static_cast<size_t>(size));
    }
    uint8_t chunk[1 << 16];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    if (file != stdin) std::fclose(file);
    if (failed) {
        problem = "cannot read " + DisplayName(path) + ": " + ErrorText(error);
        return false;
    }
    return true;
}

bool WriteAll(std::FILE* file, std::span<const uint8_t> bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
}

bool WriteStandardOutput(std::span<const uint8_t> bytes)
{
    return WriteAll(stdout, bytes);
}

std::span<const uint8_t> BytesOf(const std::string& text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

// A name beside the output that nothing else uses, so the output appears only once complete.
std::filesystem::path TemporaryBeside(const std::filesystem::path& output)
{
    std::random_device random;
    for (;;) {
        std::filesystem::path candidate = output;
        candidate += ".tmp" + std::to_string(random() % 1000000);
        std::error_code ignored;
        if (!std::filesystem::exists(candidate, ignored)) return candidate;
    }
}

// Moves the finished temporary file to the output. Without force the output must not exist:
// a hard link fails if it does, with no moment in which another file could be replaced;
// where the file system has no hard links, the check comes just before the rename.
bool PutInPlace(const std::filesystem::path& temporary, const std::filesystem::path& output, bool force,
                std::string& problem)
{
    std::error_code error;
    if (!force) {
        std::filesystem::create_hard_link(temporary, output, error);
        if (!error) {
            std::filesystem::remove(temporary, error);
            return true;
        }
        if (std::filesystem::exists(output, error)) {
            problem = output.string() + " already exists (--force replaces it)";
            return false;
        }
    }
    error.clear();
    std::filesystem::rename(temporary, output, error);
    if (error) {
        problem = "cannot write " + output.string() + ": " + error.message();
        return false;
    }
    return true;
}

bool WriteFileSafely(const std::string& path, std::span<const uint8_t> bytes, bool force, std::string& problem)
{
    const std::filesystem::path output(path);
    const std::filesystem::path temporary = TemporaryBeside(output);
    std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
    if (file == nullptr) {
        problem = "cannot write " + path + ": " + ErrorText(errno);
        return false;
    }
    const bool written = WriteAll(file, bytes);
    const int error = errno;
    const bool closed = std::fclose(file) == 0;
    std::error_code ignored;
    if (!written || !closed) {
        problem = "cannot write " + path + ": " + ErrorText(error);
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    if (!PutInPlace(temporary, output, force, problem)) {
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

bool ReadSpeed(std::string_view text, int& speed)
{
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), speed);
    return failure == std::errc{} && end == text.data() + text.size() && speed >= 1 && speed <= 10;
}

// Options may come before or after the file; "-" alone is a file (standard input).
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
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "-o" && parsed.command == "pack") {
            if (i + 1 == args.size()) {
                problem = "-o needs a file name";
                return false;
            }
            parsed.output = args[++i];
        } else if (arg == "--force" && parsed.command == "pack") {
            parsed.force = true;
        } else if ((arg == "--speed" || arg.starts_with("--speed=")) && parsed.command == "info") {
            std::string value;
            if (arg == "--speed") {
                if (i + 1 == args.size()) {
                    problem = "--speed needs a number";
                    return false;
                }
                value = args[++i];
            } else {
                value = arg.substr(8);
            }
            if (!ReadSpeed(value, parsed.speed)) {
                problem = "speed \"" + value + "\" must be 1 to 10";
                return false;
            }
        } else {
            problem = "unknown option " + arg + " for " + parsed.command;
            return false;
        }
    }
    if (parsed.files.size() != 1) {
        problem = parsed.command + " takes one file, " + std::to_string(parsed.files.size()) + " given";
        return false;
    }
    if (parsed.command == "pack" && parsed.output.empty()) {
        problem = "pack needs -o FILE.rec (or -o - for standard output)";
        return false;
    }
    return true;
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
    const bool toStandardOutput = args.output == "-";
    std::error_code ignored;
    if (!toStandardOutput && !args.force && std::filesystem::exists(args.output, ignored)) {
        return Fail(args.output + " already exists (--force replaces it)");
    }
    std::vector<uint8_t> text;
    std::string problem;
    if (!ReadWholeFile(args.files[0], text, problem)) return Fail(problem);
    std::vector<uint8_t> bytes;
    TextError error;
    const std::string_view view(reinterpret_cast<const char*>(text.data()), text.size());
    if (!ReadRecordingText(view, bytes, error)) {
        std::fprintf(stderr, "%s:%lld: %s\n", DisplayName(args.files[0]).c_str(), static_cast<long long>(error.line),
                     error.message.c_str());
        return ExitBad;
    }
    if (toStandardOutput) {
        if (!WriteStandardOutput(bytes)) return Fail("cannot write standard output: " + ErrorText(errno));
        return ExitOk;
    }
    if (!WriteFileSafely(args.output, bytes, args.force, problem)) return Fail(problem);
    return ExitOk;
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
        std::fputs(Usage.data(), stderr);
        return ExitBad;
    }
    // Help wins wherever it is asked for, even after a command.
    bool help = args[0] == "help";
    for (const std::string& arg : args) help = help || arg == "--help" || arg == "-h";
    if (help) {
        std::fputs(Usage.data(), stdout);
        return ExitOk;
    }
    if (args[0] == "--version") {
        std::printf("tandrel-rec %s\n", TANDREL_VERSION);
        return ExitOk;
    }
    const std::string& command = args[0];
    if (command != "dump" && command != "pack" && command != "info" && command != "check") {
        return FailUsage("unknown command " + command);
    }
    Arguments parsed;
    std::string problem;
    if (!ParseArguments(args, parsed, problem)) return FailUsage(problem);
    if (command == "dump") return Dump(parsed);
    if (command == "pack") return Pack(parsed);
    if (command == "info") return Info(parsed);
    return Check(parsed);
}
