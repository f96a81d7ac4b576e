// One Tandrel per desktop with the real named pipes: a start hands over only to a copy of this
// program that serves the desktop's pipe and answers; another program that holds the name is
// no copy, and a copy that hangs is reported; a playing mark counts only when the process it
// names serves it, so a name made for a copy started suspended keeps no F9 quiet.
//
// The test program is also the other processes: started with a role as its argument it plays
// that role until the test ends it ("this program" is the test program's file; a copy of that
// file under another name stands for another program).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/SingleInstance.h"
#include "support/TempWorkingFolder.h"

namespace {

constexpr wchar_t ReadyEventName[] = L"Local\\TandrelSingleInstanceTestReady";
constexpr DWORD DeadlineMs = 60000;

HWND OpenTestWindow()
{
    return CreateWindowExW(0, L"STATIC", L"TandrelSingleInstanceTest", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           nullptr, nullptr);
}

void SignalReady()
{
    const HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, ReadyEventName);
    if (ready != nullptr) SetEvent(ready);
}

// The roles of the other processes; each runs until the test ends it.
int PlayRole(const std::string& role)
{
    if (role == "play") {
        MarkPlaying();
        SignalReady();
        Sleep(INFINITE);
    }
    if (HandOverToRunningCopy() != HandOver::Claimed) return 2;
    const HWND window = OpenTestWindow();
    PublishMainWindow(window);
    SignalReady();
    // A copy that hangs never looks at its window's messages again.
    if (role == "hang") Sleep(INFINITE);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

std::wstring OwnFile()
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return self;
}

struct Role {
    HANDLE process;
    DWORD id;
};

Role Start(const std::wstring& file, const wchar_t* role, DWORD flags = 0)
{
    std::wstring command = L"\"" + file + L"\" " + role;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(file.c_str(), command.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup,
                        &process))
        return {nullptr, 0};
    CloseHandle(process.hThread);
    return {process.hProcess, process.dwProcessId};
}

// Starts the role and waits until it holds its names.
Role StartReady(const std::wstring& file, const wchar_t* role)
{
    const HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, ReadyEventName);
    ResetEvent(ready);
    Role started = Start(file, role);
    const HANDLE both[2] = {ready, started.process};
    if (started.process == nullptr || WaitForMultipleObjects(2, both, FALSE, DeadlineMs) != WAIT_OBJECT_0) {
        if (started.process != nullptr) TerminateProcess(started.process, 1);
        started = {nullptr, 0};
    }
    CloseHandle(ready);
    return started;
}

void End(Role role)
{
    if (role.process == nullptr) return;
    TerminateProcess(role.process, 0);
    WaitForSingleObject(role.process, DeadlineMs);
    CloseHandle(role.process);
}

std::wstring Decimal(DWORD value)
{
    return std::to_wstring(value);
}

// The names a squatter would make for a process: the pipe and, as earlier versions had it, a
// mutex.
std::wstring DesktopName()
{
    wchar_t name[128] = L"";
    DWORD needed = 0;
    GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, name, sizeof name, &needed);
    return name;
}

}  // namespace

TEST(SingleInstance, AStartHandsOverOnlyToACopyOfThisProgramThatAnswers)
{
    EnterFreshWorkingFolder();
    wchar_t folder[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, folder);
    const std::wstring other = std::wstring(folder) + L"\\OtherProgram.exe";
    ASSERT_TRUE(CopyFileW(OwnFile().c_str(), other.c_str(), FALSE));

    // Another program serves the name, with a window that answers: no hand-over.
    Role squatter = StartReady(other, L"serve");
    ASSERT_NE(nullptr, squatter.process);
    EXPECT_EQ(HandOver::Claimed, HandOverToRunningCopy()) << "a start handed over to another program";
    End(squatter);

    // A copy of this program that answers: the start hands over.
    Role copy = StartReady(OwnFile(), L"serve");
    ASSERT_NE(nullptr, copy.process);
    EXPECT_EQ(HandOver::HandedOver, HandOverToRunningCopy());
    End(copy);

    // A copy that hangs: the start says so, within the answer's 2 s and a little.
    Role hung = StartReady(OwnFile(), L"hang");
    ASSERT_NE(nullptr, hung.process);
    const DWORD asked = GetTickCount();
    EXPECT_EQ(HandOver::NoAnswer, HandOverToRunningCopy()) << "a start handed over to a copy that hangs";
    const DWORD took = GetTickCount() - asked;
    EXPECT_LT(took, 6000u);
    End(hung);
    DeleteFileW(other.c_str());
    LeaveWorkingFolder();
}

TEST(SingleInstance, APlayingMarkCountsOnlyFromTheCopyItNames)
{
    // A copy of this program started suspended, and its marks made by the test, as a squatter
    // would make them: the pipe (served by the test) and the mutex of earlier versions.
    Role suspended = Start(OwnFile(), L"serve", CREATE_SUSPENDED);
    ASSERT_NE(nullptr, suspended.process);
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    const std::wstring pipeName =
        L"\\\\.\\pipe\\Tandrel." + Decimal(session) + L"." + DesktopName() + L".Playing." + Decimal(suspended.id);
    const HANDLE pipe = CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT,
                                         PIPE_UNLIMITED_INSTANCES, 4, 4, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, pipe);
    const HANDLE mutex = CreateMutexW(
        nullptr, FALSE, (L"Local\\Tandrel.Playing." + DesktopName() + L"." + Decimal(suspended.id)).c_str());
    ASSERT_NE(nullptr, mutex);
    EXPECT_FALSE(IsAnotherCopyPlaying()) << "a forged mark kept F9 quiet";
    CloseHandle(pipe);
    CloseHandle(mutex);
    End(suspended);

    // A copy that plays: its own mark counts.
    Role playing = StartReady(OwnFile(), L"play");
    ASSERT_NE(nullptr, playing.process);
    EXPECT_TRUE(IsAnotherCopyPlaying());
    End(playing);
    EXPECT_FALSE(IsAnotherCopyPlaying()) << "the mark outlived its copy";
}

int main(int argc, char** argv)
{
    if (argc == 2) return PlayRole(argv[1]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
