// Reading and writing with the C++ standard library only, the same on Windows and elsewhere.
#include "ToolFiles.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace {

bool WriteAll(std::FILE* file, std::span<const uint8_t> bytes)
{
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
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

}  // namespace

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

bool WriteStandardOutput(std::span<const uint8_t> bytes)
{
    return WriteAll(stdout, bytes);
}

bool IsSameFile(const std::string& a, const std::string& b)
{
    if (a == "-" || b == "-") return false;
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return same && !error;
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
