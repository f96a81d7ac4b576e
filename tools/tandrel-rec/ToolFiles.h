// The files of tandrel-rec: reading one a piece at a time, and writing the output so that it
// appears only once complete and replaces nothing that it may not. A path of "-" is standard
// input or output. Paths are UTF-8; on Windows they reach the system as UTF-16, so any name
// the system allows can be read and written.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

// The text of an errno value.
std::string ErrorText(int error);
// How a path is named in messages: "<stdin>" for "-".
std::string DisplayName(const std::string& path);

struct InputFile {
    std::FILE* file;
    std::string path;
};

bool OpenInput(const std::string& path, InputFile& input, std::string& problem);
// Reads up to size bytes; 0 at the end. False with the problem on a read error.
bool ReadSome(InputFile& input, uint8_t* buffer, size_t size, size_t& got, std::string& problem);
void CloseInput(InputFile& input);

enum class OutputWay {
    StandardOutput,
    NewFile,  // a temporary file, put in place only where nothing is (--force or not)
    Replace,  // a temporary file renamed over a regular file (--force)
    Into,     // an existing pipe or character device, written into as it is (--force)
};

struct OutputFile {
    std::FILE* file;
    std::string path;
    std::string temporary;  // NewFile and Replace: the file written, beside path
    OutputWay way;
};

// Opens the output for writing after the checks that keep anything from being clobbered: an
// output that is the input's own regular file (by file identity, whatever its name, for "-"
// too) is refused; so is, without force, anything at all at the path (a dangling link too),
// and, with force, anything but a regular file (or a link to one), a pipe or a character
// device. The temporary file is created exclusively under a name that cannot be guessed.
bool OpenOutput(const std::string& path, bool force, const InputFile& input, OutputFile& output, std::string& problem);
bool WriteOutput(OutputFile& output, std::span<const uint8_t> bytes, std::string& problem);
// Completes the output: the temporary file put in place, or the stream flushed. On failure
// nothing is left behind and what was at the path is as it was.
bool FinishOutput(OutputFile& output, std::string& problem);
// Gives the output up: the temporary file goes, and nothing else changes.
void AbandonOutput(OutputFile& output);
