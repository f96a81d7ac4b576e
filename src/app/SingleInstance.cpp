// One Tandrel with its window per desktop: the pipe of the copy that has its window, asked by
// a later start; and the pipes of the copies that play, asked by the F9 of the others.
#include "app/SingleInstance.h"

#include <tlhelp32.h>

#include <atomic>
#include <string>

namespace {

// The window this copy publishes to later starts, as its 32 significant bits; 0 until it is
// open. Written by the main thread; read by the thread that serves the window pipe.
std::atomic<LONG> gPublishedWindow{0};

// How long a later start waits for the running copy's answer, and for a copy that is still
// opening its window.
constexpr DWORD AnswerWaitMilliseconds = 2000;
constexpr DWORD WindowWaitMilliseconds = 5000;
constexpr DWORD PollMilliseconds = 50;
// How long the F9 of a copy waits for a playing copy's pipe that serves another caller.
constexpr DWORD PlayingPipeWaitMilliseconds = 200;

std::wstring Decimal(DWORD value)
{
    wchar_t digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value != 0);
    std::wstring text;
    while (count > 0) text += digits[--count];
    return text;
}

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

// Pipes are seen by every session: the name holds ours, and the desktop's.
std::wstring PipeName(const std::wstring& what)
{
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return L"\\\\.\\pipe\\Tandrel." + Decimal(session) + L"." + DesktopName() + L"." + what;
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
// can be trusted to mean what its pipes say.
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

// The process that serves the pipe a caller reached, as the system reports it; 0 when unknown.
DWORD PipeServer(HANDLE pipe)
{
    ULONG server = 0;
    return GetNamedPipeServerProcessId(pipe, &server) ? static_cast<DWORD>(server) : 0;
}

// This process's pipe of that name, when no other process has one: the first instance.
HANDLE CreateOwnPipe(const std::wstring& name)
{
    return CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                            PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                            sizeof(LONG), sizeof(LONG), 0, nullptr);
}

// Reaches the pipe of that name as a caller that lets the server learn nothing of it (no
// impersonation); null when nobody serves it, or it stayed busy.
HANDLE ReachPipe(const std::wstring& name, DWORD busyWait)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) return pipe;
        if (GetLastError() != ERROR_PIPE_BUSY) return nullptr;
        WaitNamedPipeW(name.c_str(), busyWait);
    }
    return nullptr;
}

// Serves this process's pipe for as long as the process lives: each caller is told the
// published window (0 for a playing copy's pipe, or before the window is open), and the pipe is
// free for the next once the caller has gone. One caller at a time: one that never goes keeps
// later starts waiting for the answer, which then start as copies of their own.
DWORD WINAPI ServePipe(LPVOID parameter)
{
    const HANDLE pipe = parameter;
    for (;;) {
        if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
            const LONG window = gPublishedWindow.load();
            DWORD done = 0;
            WriteFile(pipe, &window, sizeof window, &done, nullptr);
            // Until the caller has read and closed its end: a disconnect would drop the answer.
            char rest = 0;
            ReadFile(pipe, &rest, 1, &done, nullptr);
        }
        DisconnectNamedPipe(pipe);
    }
}

void Serve(HANDLE pipe)
{
    const HANDLE thread = CreateThread(nullptr, 0, ServePipe, pipe, 0, nullptr);
    if (thread != nullptr) CloseHandle(thread);  // it runs to the end of the process
}

void BringForward(HWND window)
{
    // Hidden, it records or plays: shown now, it would be in the way.
    if (!IsWindowVisible(window)) return;
    if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
    // An open dialog of that copy rather than the window it belongs to.
    SetForegroundWindow(GetLastActivePopup(window));
}

// The window the pipe's server names, once its answer is there; 0 while none came.
bool ReadAnswer(HANDLE pipe, DWORD deadline, LONG& window)
{
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) return false;
        if (available >= sizeof window) {
            DWORD read = 0;
            return ReadFile(pipe, &window, sizeof window, &read, nullptr) && read == sizeof window;
        }
        if (static_cast<int32_t>(GetTickCount() - deadline) >= 0) return false;
        Sleep(PollMilliseconds / 5);
    }
}

enum class Asked {
    NotOurs,   // nobody serves the pipe any more, or another program does
    Starting,  // our copy answered, its window not yet open
    Window,    // our copy answered with its window, which answers too
    NoAnswer,
};

Asked AskOnce(const std::wstring& name, DWORD answerDeadline, HWND& window)
{
    const HANDLE pipe = ReachPipe(name, PollMilliseconds);
    if (pipe == nullptr) return GetLastError() == ERROR_FILE_NOT_FOUND ? Asked::NotOurs : Asked::NoAnswer;
    const DWORD server = PipeServer(pipe);
    LONG published = 0;
    const bool ours = RunsThisProgram(server);
    const bool answered = ours && ReadAnswer(pipe, answerDeadline, published);
    CloseHandle(pipe);
    if (!ours) return Asked::NotOurs;
    if (!answered) return Asked::NoAnswer;
    window = static_cast<HWND>(LongToHandle(published));
    DWORD windowProcess = 0;
    if (window == nullptr || GetWindowThreadProcessId(window, &windowProcess) == 0 || windowProcess != server)
        return Asked::Starting;
    // Its window's thread, too, must answer: a copy that hangs cannot show it.
    DWORD_PTR result = 0;
    const DWORD left = answerDeadline - GetTickCount();
    const UINT wait = static_cast<int32_t>(left) > 0 ? static_cast<UINT>(left) : 1;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, wait, &result) != 0 ? Asked::Window
                                                                                            : Asked::NoAnswer;
}

HandOver AskRunningCopy(const std::wstring& name)
{
    const DWORD start = GetTickCount();
    DWORD answerDeadline = start + AnswerWaitMilliseconds;
    for (;;) {
        HWND window = nullptr;
        switch (AskOnce(name, answerDeadline, window)) {
        case Asked::NotOurs: return HandOver::Claimed;
        case Asked::Window: BringForward(window); return HandOver::HandedOver;
        case Asked::Starting: answerDeadline = GetTickCount() + AnswerWaitMilliseconds; break;
        case Asked::NoAnswer: break;
        }
        const DWORD now = GetTickCount();
        if (static_cast<int32_t>(now - answerDeadline) >= 0 || now - start >= WindowWaitMilliseconds)
            return HandOver::NoAnswer;
        Sleep(PollMilliseconds);
    }
}

}  // namespace

HandOver HandOverToRunningCopy()
{
    const std::wstring name = PipeName(L"Window");
    const HANDLE own = CreateOwnPipe(name);
    if (own != INVALID_HANDLE_VALUE) {
        Serve(own);
        return HandOver::Claimed;
    }
    // Some other error than a name in use: this copy starts as it would without the claim.
    if (GetLastError() != ERROR_ACCESS_DENIED && GetLastError() != ERROR_PIPE_BUSY) return HandOver::Claimed;
    return AskRunningCopy(name);
}

void PublishMainWindow(HWND window)
{
    gPublishedWindow.store(HandleToLong(window));
}

void MarkPlaying()
{
    const HANDLE own = CreateOwnPipe(PipeName(L"Playing." + Decimal(GetCurrentProcessId())));
    if (own != INVALID_HANDLE_VALUE) Serve(own);
}

bool IsAnotherCopyPlaying()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    bool playing = false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !playing; more = Process32NextW(snapshot, &entry)) {
        const DWORD processId = entry.th32ProcessID;
        if (processId == GetCurrentProcessId()) continue;
        const HANDLE pipe = ReachPipe(PipeName(L"Playing." + Decimal(processId)), PlayingPipeWaitMilliseconds);
        if (pipe == nullptr) continue;
        // Served by the very process it names, and that runs this program.
        playing = PipeServer(pipe) == processId && RunsThisProgram(processId);
        CloseHandle(pipe);
    }
    CloseHandle(snapshot);
    return playing;
}
