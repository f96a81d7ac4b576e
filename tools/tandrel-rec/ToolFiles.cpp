// Files through the C runtime and, where it has no word for it, the system's own calls
// (POSIX, or Win32 on Windows): file identity, file types, exclusive creation, hard links and
// renames. No C++ file system library: it would be most of tandrel-rec.exe.
#include "ToolFiles.h"

#include "SystemText.h"
#include "TemporaryFile.h"
#include "TextNumbers.h"

#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr int BinaryMode = _O_BINARY;
#else
constexpr int BinaryMode = 0;
#endif

// Where a file is: its device (volume) and number on it, and whether it is a regular file.
struct FileIdentity {
    bool known;
    bool regular;
    uint64_t device;
    uint64_t file;
    bool deviceUnknown;  // the file's number alone is known: it is taken to be on any device
};

bool SameRegularFile(const FileIdentity& a, const FileIdentity& b)
{
    const bool sameDevice = a.device == b.device || a.deviceUnknown || b.deviceUnknown;
    return a.known && b.known && a.regular && b.regular && sameDevice && a.file == b.file;
}

std::string CannotWrite(const std::string& path, const std::string& why)
{
    return "cannot write " + path + ": " + why;
}

#ifdef _WIN32

std::string SystemErrorText(DWORD error)
{
    wchar_t text[512];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  sizeof text / sizeof text[0], nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L'.')) {
        --length;
    }
    text[length] = L'\0';
    if (length == 0) return "Windows error " + std::to_string(error);
    return Utf8Text(text);
}

// The file identity information of Windows 8 and later (FILE_ID_INFO), which the headers show
// only to programs for those; on Windows 7 asking for it fails.
struct FileIdInformation {
    ULONGLONG volume;
    uint64_t file[2];
};
constexpr auto FileIdInformationClass = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

FileIdentity IdentityOfHandle(HANDLE handle)
{
    FileIdentity identity{};
    BY_HANDLE_FILE_INFORMATION information;
    if (handle == INVALID_HANDLE_VALUE || GetFileType(handle) != FILE_TYPE_DISK) return identity;
    if (!GetFileInformationByHandle(handle, &information)) {
        // Wine answers so for a handle it made of a Unix file (standard input redirected from
        // one); the file's number is still there, its volume not.
        FileIdInformation id{};
        FILE_STANDARD_INFO standard{};
        if (!GetFileInformationByHandleEx(handle, FileIdInformationClass, &id, sizeof id) ||
            !GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard)) {
            return identity;
        }
        return FileIdentity{true, !standard.Directory, id.volume, id.file[0], id.volume == 0};
    }
    identity.known = true;
    identity.regular = (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    identity.device = information.dwVolumeSerialNumber;
    identity.file = (uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow;
    return identity;
}

FileIdentity IdentityOfStream(std::FILE* file)
{
    return IdentityOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file))));
}

bool RandomNumber(uint64_t& number)
{
    unsigned int low = 0;
    unsigned int high = 0;
    if (rand_s(&low) != 0 || rand_s(&high) != 0) return false;
    number = (uint64_t{high} << 32) | low;
    return true;
}

bool ExistsAsEntry(const std::string& path)
{
    return GetFileAttributesW(WideText(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Created exclusively, and open to deletion: the console control handler removes it while it
// is still open here (OnConsoleControl in TemporaryFile.cpp).
int CreateExclusively(const std::string& path)
{
    const HANDLE handle = CreateFileW(WideText(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        errno = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? EEXIST
                : error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND || error == ERROR_INVALID_NAME
                    ? ENOENT
                    : EACCES;
        return -1;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor < 0) CloseHandle(handle);
    return descriptor;
}

bool RemoveFile(const std::string& path)
{
    return DeleteFileW(WideText(path).c_str()) != 0;
}

#else

FileIdentity IdentityOfStat(const struct stat& status)
{
    return FileIdentity{true, S_ISREG(status.st_mode), static_cast<uint64_t>(status.st_dev),
                        static_cast<uint64_t>(status.st_ino), false};
}

FileIdentity IdentityOfStream(std::FILE* file)
{
    struct stat status;
    if (fstat(fileno(file), &status) != 0) return FileIdentity{};
    return IdentityOfStat(status);
}

bool RandomNumber(uint64_t& number)
{
    return getentropy(&number, sizeof number) == 0;
}

bool ExistsAsEntry(const std::string& path)
{
    struct stat status;
    return lstat(path.c_str(), &status) == 0;
}

int CreateExclusively(const std::string& path)
{
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

bool RemoveFile(const std::string& path)
{
    return unlink(path.c_str()) == 0;
}

#endif

// Creates the temporary file beside the output, exclusively (never an existing file or a
// link), under a random name.
bool CreateTemporary(OutputFile& output, std::string& problem)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        uint64_t number = 0;
        if (!RandomNumber(number)) {
            problem = CannotWrite(output.path, "no random name for the temporary file");
            return false;
        }
        output.temporary = output.path + ".tmp" + HexNumber(number, 16).substr(2);
        // Known to the interruptions from the moment it exists, and only if it is the tool's own.
        if (!BeginCreating(output.temporary)) {
            problem = CannotWrite(output.path, "the name is too long");
            output.temporary.clear();
            return false;
        }
        const int descriptor = CreateExclusively(output.temporary);
        const int error = errno;
        EndCreating(descriptor >= 0);
        if (descriptor < 0) {
            if (error == EEXIST) continue;
            problem = CannotWrite(output.path, ErrorText(error));
            output.temporary.clear();
            return false;
        }
#ifdef _WIN32
        output.file = _fdopen(descriptor, "wb");
#else
        output.file = fdopen(descriptor, "wb");
#endif
        if (output.file == nullptr) {
            problem = CannotWrite(output.path, ErrorText(errno));
#ifdef _WIN32
            _close(descriptor);
#else
            close(descriptor);
#endif
            AbandonOutput(output);
            return false;
        }
        return true;
    }
    problem = CannotWrite(output.path, "no free name for the temporary file");
    return false;
}

// An existing pipe or device, opened as it is: not created, not truncated.
bool OpenInto(OutputFile& output, std::string& problem)
{
#ifdef _WIN32
    const int descriptor = _wopen(WideText(output.path).c_str(), _O_WRONLY | BinaryMode);
    output.file = descriptor < 0 ? nullptr : _fdopen(descriptor, "wb");
#else
    const int descriptor = open(output.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | BinaryMode);
    output.file = descriptor < 0 ? nullptr : fdopen(descriptor, "wb");
#endif
    if (output.file != nullptr) return true;
    problem = CannotWrite(output.path, ErrorText(errno));
    return false;
}

enum class EntryKind {
    Regular,      // a regular file, or a link to one
    WrittenInto,  // a pipe or a character device (a terminal too), or a link to one
    Other,        // a folder, a socket, a block device
    Unreadable,   // a link to nothing, or what cannot be looked at
};

// What is at an existing path, following links, and its identity.
EntryKind LookAt(const std::string& path, FileIdentity& identity, std::string& why)
{
#ifdef _WIN32
    const HANDLE handle = CreateFileW(WideText(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        why = SystemErrorText(GetLastError());
        return EntryKind::Unreadable;
    }
    const DWORD type = GetFileType(handle);
    identity = IdentityOfHandle(handle);
    CloseHandle(handle);
    if (type == FILE_TYPE_DISK) return identity.regular ? EntryKind::Regular : EntryKind::Other;
    return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE ? EntryKind::WrittenInto : EntryKind::Other;
#else
    struct stat status;
    if (stat(path.c_str(), &status) != 0) {
        why = ErrorText(errno);
        return EntryKind::Unreadable;
    }
    identity = IdentityOfStat(status);
    if (S_ISREG(status.st_mode)) return EntryKind::Regular;
    return S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode) ? EntryKind::WrittenInto : EntryKind::Other;
#endif
}

// Moves the finished temporary file to the output. For a new file the output must still not
// exist: a hard link (POSIX) or a rename that replaces nothing (Windows) fails if it does,
// with no moment in which another file could be replaced; where the file system has no hard
// links, the check comes just before the rename.
bool PutInPlace(OutputFile& output, std::string& problem)
{
#ifdef _WIN32
    const DWORD flags = output.way == OutputWay::Replace ? MOVEFILE_REPLACE_EXISTING : 0;
    if (MoveFileExW(WideText(output.temporary).c_str(), WideText(output.path).c_str(), flags)) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
        problem = output.path + " already exists (--force replaces it)";
    } else {
        problem = CannotWrite(output.path, SystemErrorText(error));
    }
    return false;
#else
    const char* temporary = output.temporary.c_str();
    const char* path = output.path.c_str();
    if (output.way == OutputWay::NewFile) {
        if (link(temporary, path) == 0) {
            unlink(temporary);
            return true;
        }
        if (errno == EEXIST || ExistsAsEntry(output.path)) {
            problem = output.path + " already exists (--force replaces it)";
            return false;
        }
    }
    if (rename(temporary, path) == 0) return true;
    problem = CannotWrite(output.path, ErrorText(errno));
    return false;
#endif
}

}  // namespace

std::string ErrorText(int error)
{
    return std::strerror(error);
}

std::string DisplayName(const std::string& path)
{
    return path == "-" ? "<stdin>" : path;
}

bool OpenInput(const std::string& path, InputFile& input, std::string& problem)
{
    input.path = path;
#ifdef _WIN32
    input.file = path == "-" ? stdin : _wfopen(WideText(path).c_str(), L"rb");
#else
    input.file = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
#endif
    if (input.file != nullptr) return true;
    problem = "cannot read " + path + ": " + ErrorText(errno);
    return false;
}

bool ReadSome(InputFile& input, uint8_t* buffer, size_t size, size_t& got, std::string& problem)
{
    got = std::fread(buffer, 1, size, input.file);
    if (got > 0 || !std::ferror(input.file)) return true;
    problem = "cannot read " + DisplayName(input.path) + ": " + ErrorText(errno);
    return false;
}

void CloseInput(InputFile& input)
{
    if (input.file != nullptr && input.file != stdin) (void)std::fclose(input.file);  // read only: nothing to lose
    input.file = nullptr;
}

bool OpenOutput(const std::string& path, bool force, const InputFile& input, OutputFile& output, std::string& problem)
{
    output = OutputFile{};
    output.path = path;
    const FileIdentity inputIdentity = IdentityOfStream(input.file);
    if (path == "-") {
        if (SameRegularFile(IdentityOfStream(stdout), inputIdentity)) {
            problem = "standard output is the input file; write to another file";
            return false;
        }
        output.way = OutputWay::StandardOutput;
        output.file = stdout;
        return true;
    }
    output.way = OutputWay::NewFile;
    if (ExistsAsEntry(path)) {
        FileIdentity identity{};
        std::string why;
        const EntryKind kind = LookAt(path, identity, why);
        if (SameRegularFile(identity, inputIdentity)) {
            problem = path + " is the input file; write to another file";
            return false;
        }
        if (!force) {
            problem = path + " already exists (--force replaces it)";
            return false;
        }
        switch (kind) {
        case EntryKind::Regular: output.way = OutputWay::Replace; break;
        case EntryKind::WrittenInto: output.way = OutputWay::Into; break;
        case EntryKind::Other: problem = path + " is not a file, a pipe or a device; not replaced"; return false;
        case EntryKind::Unreadable: problem = path + " leads to no file (" + why + "); not replaced"; return false;
        }
    }
    if (output.way == OutputWay::Into) return OpenInto(output, problem);
    return CreateTemporary(output, problem);
}

bool WriteOutput(OutputFile& output, std::span<const uint8_t> bytes, std::string& problem)
{
    if (std::fwrite(bytes.data(), 1, bytes.size(), output.file) == bytes.size()) return true;
    problem = output.way == OutputWay::StandardOutput ? "cannot write standard output: " + ErrorText(errno)
                                                      : CannotWrite(output.path, ErrorText(errno));
    return false;
}

bool FinishOutput(OutputFile& output, std::string& problem)
{
    const bool flushed = std::fflush(output.file) == 0 && !std::ferror(output.file);
    const int error = errno;
    if (output.way == OutputWay::StandardOutput) {
        if (!flushed) problem = "cannot write standard output: " + ErrorText(error);
        return flushed;
    }
    const bool closed = std::fclose(output.file) == 0;
    output.file = nullptr;
    if (!flushed || !closed) {
        problem = CannotWrite(output.path, ErrorText(flushed ? errno : error));
        AbandonOutput(output);
        return false;
    }
    if (output.way == OutputWay::Into) return true;
    if (!BeginSettling()) {
        problem = CannotWrite(output.path, "interrupted");
        return false;
    }
    const bool placed = PutInPlace(output, problem);
    if (!placed) RemoveFile(output.temporary);
    EndTemporary();
    output.temporary.clear();
    return placed;
}

void AbandonOutput(OutputFile& output)
{
    // Given up: whatever the close says, its temporary file goes next.
    if (output.file != nullptr && output.way != OutputWay::StandardOutput) (void)std::fclose(output.file);
    output.file = nullptr;
    if (output.temporary.empty()) return;
    if (BeginSettling()) RemoveFile(output.temporary);
    EndTemporary();
    output.temporary.clear();
}
