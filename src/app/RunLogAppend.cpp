// The run log's file. One WriteFile on a handle opened for appending only, by one run at a time
// (a named lock): not every system puts each append whole at the file's end when two processes
// append at once (Wine does not), so two runs that end at once would overwrite each other's
// lines. The file is shared with the rename of a rotation, a failed open is tried again for a
// moment, and only the run that holds the lock sets a full log aside.
#include "app/RunLogAppend.h"

#include <windows.h>
#include <shlobj.h>

#include "app/RunLogLine.h"

namespace {

// The per-user folder, made when missing; empty when the system names none.
std::wstring RunLogFolder()
{
    wchar_t base[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base))) return L"";
    std::wstring folder = std::wstring(base) + L"\\Tandrel";
    CreateDirectoryW(folder.c_str(), nullptr);  // fails harmlessly when it is there
    return folder;
}

// How long a failed open is tried again: another run renames the log (a moment), or has it
// open without sharing the rename (an older version of the program, an editor).
constexpr int OpenAttempts = 200;
constexpr DWORD OpenRetryMilliseconds = 10;
// How long a run waits for another's append or rotation; should a process hold the lock for
// longer (another program can take its name), the line is appended without it, to the long log.
constexpr DWORD LockWaitMilliseconds = 2000;

HANDLE OpenForAppending(const std::wstring& path)
{
    // Others may read it meanwhile (an administrator's script), append to it (another run) and
    // set it aside while we hold it (another run's rotation; our line then goes to the part kept).
    for (int attempt = 0;; ++attempt) {
        const HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || attempt + 1 >= OpenAttempts) return file;
        Sleep(OpenRetryMilliseconds);
    }
}

bool WouldPassTheLimit(HANDLE file, const std::string& line)
{
    LARGE_INTEGER size{};
    return GetFileSizeEx(file, &size) && ShouldRotateRunLog(size.QuadPart, static_cast<int64_t>(line.size()));
}

// One run at a time appends or rotates, among all runs of the user: the lock is named after
// nothing but the program, in every session where the system lets us (a run of the scheduler
// may be in another). Null when there is none.
HANDLE TakeRunLogLock()
{
    HANDLE lock = CreateMutexW(nullptr, FALSE, L"Global\\Tandrel.RunLog");
    if (lock == nullptr) lock = CreateMutexW(nullptr, FALSE, L"Local\\Tandrel.RunLog");
    if (lock == nullptr) return nullptr;
    const DWORD waited = WaitForSingleObject(lock, LockWaitMilliseconds);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return lock;
    CloseHandle(lock);
    return nullptr;
}

void ReleaseRunLogLock(HANDLE lock)
{
    if (lock == nullptr) return;
    ReleaseMutex(lock);
    CloseHandle(lock);
}

// Appends under the lock when it was had. Only then is a full log set aside: without it another
// run could be setting it aside at the same moment, and the second rotation would set the new
// log aside over the history that the first had just kept.
bool AppendLocked(const std::wstring& path, const std::string& line, bool locked)
{
    HANDLE file = OpenForAppending(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    if (locked && WouldPassTheLimit(file, line)) {
        CloseHandle(file);
        MoveFileExW(path.c_str(), (path + L".1").c_str(), MOVEFILE_REPLACE_EXISTING);
        file = OpenForAppending(path);
        if (file == INVALID_HANDLE_VALUE) return false;
    }
    DWORD written = 0;
    const bool whole =
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) && written == line.size();
    CloseHandle(file);
    return whole;
}

}  // namespace

bool AppendRunLogLine(const std::string& line)
{
    const std::wstring folder = RunLogFolder();
    if (folder.empty()) return false;
    const HANDLE lock = TakeRunLogLock();
    const bool whole = AppendLocked(folder + L"\\Tandrel.log", line, lock != nullptr);
    ReleaseRunLogLock(lock);
    return whole;
}
