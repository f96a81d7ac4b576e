// The run log's file. One WriteFile on a handle opened for appending only: the system puts
// each write whole at the file's end, so two runs that end at once never mix their lines.
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

HANDLE OpenForAppending(const std::wstring& path)
{
    // Others may read it meanwhile (an administrator's script) and append to it (another run).
    return CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

bool AppendRunLogLine(const std::string& line)
{
    const std::wstring folder = RunLogFolder();
    if (folder.empty()) return false;
    const std::wstring path = folder + L"\\Tandrel.log";
    HANDLE file = OpenForAppending(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && ShouldRotateRunLog(size.QuadPart, static_cast<int64_t>(line.size()))) {
        CloseHandle(file);
        // While another run has the log open the rename fails, and the line goes to the long log.
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
