// One Tandrel with its window per desktop: the named record of the copy that has its window,
// read by a later start; and the marks of the copies that play, read by the F9 of the others.
#include "app/SingleInstance.h"

#include <tlhelp32.h>

#include <string>

namespace {

// What the copy with its window keeps in a named section for a later start. Window handles
// have 32 significant bits on every platform.
struct WindowCopyRecord {
    volatile LONG processId;
    volatile LONG window;
};

// This copy's claim of the desktop: the section and its view, held to the end of the process,
// when the system closes them. Written by the main thread at start-up; read by it when the
// window is open.
HANDLE gWindowCopySection = nullptr;
WindowCopyRecord* gWindowCopyRecord = nullptr;
// This process's mark while it plays, held to its end. Written by the main thread.
HANDLE gPlayingMark = nullptr;

// How long a later start waits for a first copy that is still starting to open its window.
constexpr DWORD HandOverWaitMilliseconds = 5000;
constexpr DWORD HandOverPollMilliseconds = 50;

std::wstring DesktopName()
{
    wchar_t name[128] = L"";
    DWORD needed = 0;
    if (!GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, &needed))
        return L"";
    // A backslash would open another level of the name space.
    for (wchar_t* c = name; *c != L'\0'; ++c)
        if (*c == L'\\') *c = L'_';
    return name;
}

std::wstring ObjectName(const wchar_t* what)
{
    return std::wstring(L"Local\\Tandrel.") + what + L"." + DesktopName();
}

std::wstring PlayingMarkName(DWORD processId)
{
    wchar_t digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + processId % 10);
        processId /= 10;
    } while (processId != 0);
    std::wstring name = ObjectName(L"Playing") + L".";
    while (count > 0) name += digits[--count];
    return name;
}

std::wstring ProgramFile(HANDLE process)
{
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    if (!QueryFullProcessImageNameW(process, 0, path.data(), &size)) return L"";
    path.resize(size);
    return path;
}

// True when another process that still runs has this program's own file: only this program
// can be trusted to mean what its named objects say.
bool RunsThisProgram(DWORD processId)
{
    if (processId == 0 || processId == GetCurrentProcessId()) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) return false;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    const std::wstring other = ProgramFile(process);
    CloseHandle(process);
    const std::wstring own = ProgramFile(GetCurrentProcess());
    return running && !own.empty() && CompareStringOrdinal(own.c_str(), -1, other.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void BringForward(HWND window)
{
    // Hidden, it records or plays: shown now, it would be in the way.
    if (!IsWindowVisible(window)) return;
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    // An open dialog of that copy rather than the window it belongs to.
    SetForegroundWindow(GetLastActivePopup(window));
}

// The copy the record names, once it has its window; false when the record names no running
// copy of this program, or its window does not come.
bool BringRunningCopyForward(const WindowCopyRecord& record)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD processId = static_cast<DWORD>(record.processId);
        const HWND window = static_cast<HWND>(LongToHandle(record.window));
        // An id of 0, or no window yet: the first copy is still starting.
        if (processId != 0 && !RunsThisProgram(processId)) return false;
        DWORD windowProcess = 0;
        if (window != nullptr && GetWindowThreadProcessId(window, &windowProcess) != 0 && windowProcess == processId) {
            BringForward(window);
            return true;
        }
        if (GetTickCount() - start >= HandOverWaitMilliseconds) return false;
        Sleep(HandOverPollMilliseconds);
    }
}

}  // namespace

bool HandOverToRunningCopy()
{
    HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(WindowCopyRecord),
                                        ObjectName(L"Window").c_str());
    // Another user's object of that name in this session, say: this copy starts as ever.
    if (section == nullptr) return false;
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    auto* record = static_cast<WindowCopyRecord*>(
        MapViewOfFile(section, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(WindowCopyRecord)));
    if (record == nullptr) {
        CloseHandle(section);
        return false;
    }
    if (existed && BringRunningCopyForward(*record)) {
        UnmapViewOfFile(record);
        CloseHandle(section);
        return true;
    }
    // The first, or the record names no copy that runs (it ended while another start held the
    // name): this copy claims the desktop.
    InterlockedExchange(&record->window, 0);
    InterlockedExchange(&record->processId, static_cast<LONG>(GetCurrentProcessId()));
    gWindowCopySection = section;
    gWindowCopyRecord = record;
    return false;
}

void PublishMainWindow(HWND window)
{
    if (gWindowCopyRecord == nullptr) return;
    InterlockedExchange(&gWindowCopyRecord->processId, static_cast<LONG>(GetCurrentProcessId()));
    InterlockedExchange(&gWindowCopyRecord->window, HandleToLong(window));
}

void MarkPlaying()
{
    if (gPlayingMark == nullptr)
        gPlayingMark = CreateMutexW(nullptr, FALSE, PlayingMarkName(GetCurrentProcessId()).c_str());
}

bool IsAnotherCopyPlaying()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    bool playing = false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !playing; more = Process32NextW(snapshot, &entry)) {
        HANDLE mark = OpenMutexW(SYNCHRONIZE, FALSE, PlayingMarkName(entry.th32ProcessID).c_str());
        if (mark == nullptr) continue;
        CloseHandle(mark);
        playing = RunsThisProgram(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return playing;
}
