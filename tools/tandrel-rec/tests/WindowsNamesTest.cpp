// tandrel-rec.exe as built, on Windows: file names in any script (Cyrillic, Greek, CJK, German)
// for input and output, with messages that name them as they are; "-" for standard input and
// output still; a line longer than pack takes refused with nothing written; and a run ended by
// Ctrl+C in its console leaves no temporary file and the output as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/TempWorkingFolder.h"
#include "support/WinePaths.h"

namespace {

const std::wstring Cyrillic = L"\u0417\u0430\u0434\u0430\u0447\u0430";     // Задача
const std::wstring Greek = L"\u0395\u03b3\u03b3\u03c1\u03b1\u03c6\u03ae";  // Εγγραφή
const std::wstring Japanese = L"\u9332\u97f3";                             // 録音
const std::wstring German = L"\u00dcbung";                                 // Übung
const std::wstring Missing = L"Fehlt-\u00c4rger-\u0416\u03a9\u4e2d";       // Fehlt-Ärger-ЖΩ中
constexpr DWORD ToolTimeLimit = 60000;

std::string Utf8(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back();
    return utf8;
}

// Wide names, as both MinGW's and Microsoft's streams take them.
void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(path.c_str(), std::ios::binary) << bytes;
}

// The file's bytes; "(none)" when it cannot be opened.
std::string FileBytes(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    if (!file) return "(none)";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// How many entries of the working folder match the pattern.
int CountMatching(const std::wstring& pattern)
{
    WIN32_FIND_DATAW entry;
    const HANDLE listing = FindFirstFileW(pattern.c_str(), &entry);
    int count = 0;
    while (listing != INVALID_HANDLE_VALUE && (count == 0 || FindNextFileW(listing, &entry))) ++count;
    if (listing != INVALID_HANDLE_VALUE) FindClose(listing);
    return count;
}

HANDLE Inheritable(const std::wstring& path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition, 0, nullptr);
}

struct ToolRun {
    PROCESS_INFORMATION process;
    HANDLE output;
    HANDLE errors;
};

// Starts tandrel-rec.exe with these arguments, standard input from the given handle (inheritable;
// none by default), standard output and errors into out.txt and err.txt.
ToolRun StartTool(const std::wstring& arguments, HANDLE input = nullptr, DWORD flags = 0)
{
    ToolRun run{};
    run.output = Inheritable(L"out.txt", GENERIC_WRITE, CREATE_ALWAYS);
    run.errors = Inheritable(L"err.txt", GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = run.output;
    startup.hStdError = run.errors;
    const std::wstring tool = DistPath(L"tandrel-rec.exe");
    std::wstring commandLine = L"\"" + tool + L"\" " + arguments;
    EXPECT_TRUE(CreateProcessW(tool.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                               &startup, &run.process))
        << "cannot start " << Utf8(tool);
    return run;
}

// Waits for the run's end within the time limit (else ends it); its exit status.
DWORD FinishTool(ToolRun& run)
{
    DWORD status = 999;
    if (run.process.hProcess != nullptr) {
        if (WaitForSingleObject(run.process.hProcess, ToolTimeLimit) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "tandrel-rec.exe did not end within its time limit";
            TerminateProcess(run.process.hProcess, 998);
            WaitForSingleObject(run.process.hProcess, ToolTimeLimit);
        }
        GetExitCodeProcess(run.process.hProcess, &status);
        CloseHandle(run.process.hProcess);
        CloseHandle(run.process.hThread);
    }
    CloseHandle(run.output);
    CloseHandle(run.errors);
    return status;
}

DWORD RunTool(const std::wstring& arguments, HANDLE input = nullptr)
{
    ToolRun run = StartTool(arguments, input);
    return FinishTool(run);
}

std::wstring Quoted(const std::wstring& name)
{
    return L"\"" + name + L"\"";
}

class WindowsNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(DistFolder().empty()) << "TANDREL_DIST_DIR is not set";
        EnterFreshWorkingFolder();
    }
    void TearDown() override
    {
        LeaveWorkingFolder();
    }
};

TEST_F(WindowsNames, FilesOfAnyScriptAreReadWrittenAndNamedAsTheyAre)
{
    const std::wstring text = Cyrillic + L".txt";
    const std::wstring packed = Greek + L".rec";
    const std::wstring retimed = Japanese + L".rec";
    const std::wstring stripped = German + L".rec";
    WriteFileBytes(text, "tandrel-rec 1\n0 key A down\n10 move 5 -7\n30 key A up\n");

    EXPECT_EQ(0u, RunTool(L"pack " + Quoted(text) + L" -o " + Quoted(packed))) << FileBytes(L"err.txt");
    EXPECT_EQ(48u, FileBytes(packed).size());
    EXPECT_EQ(0u, RunTool(L"retime " + Quoted(packed) + L" -o " + Quoted(retimed) + L" --speed 2"))
        << FileBytes(L"err.txt");
    EXPECT_EQ(0u, RunTool(L"strip " + Quoted(retimed) + L" -o " + Quoted(stripped) + L" --moves"))
        << FileBytes(L"err.txt");
    EXPECT_EQ(32u, FileBytes(stripped).size());
    EXPECT_EQ(0u, RunTool(L"dump " + Quoted(retimed)));
    EXPECT_NE(std::string::npos, FileBytes(L"out.txt").find("5 move 5 -7\n15 key A up\n")) << FileBytes(L"out.txt");
    EXPECT_EQ(0u, RunTool(L"check " + Quoted(stripped)));
    EXPECT_EQ(Utf8(stripped) + ": 2 records, played exactly as written\n", FileBytes(L"out.txt"));

    // The messages name the files as they are, in UTF-8 when they go to a file.
    EXPECT_EQ(2u, RunTool(L"pack " + Quoted(text) + L" -o " + Quoted(packed)));
    EXPECT_NE(std::string::npos, FileBytes(L"err.txt").find(Utf8(packed) + " already exists")) << FileBytes(L"err.txt");
    EXPECT_EQ(2u, RunTool(L"dump " + Quoted(Missing + L".rec")));
    EXPECT_NE(std::string::npos, FileBytes(L"err.txt").find("cannot read " + Utf8(Missing) + ".rec: "))
        << FileBytes(L"err.txt");
    EXPECT_EQ(2u, RunTool(L"thin " + Quoted(packed) + L" -o " + Quoted(Missing + L"\\" + German + L".rec") +
                          L" --min-interval 5"));
    EXPECT_NE(std::string::npos, FileBytes(L"err.txt").find("cannot write " + Utf8(Missing) + "\\" + Utf8(German)))
        << FileBytes(L"err.txt");

    // "-" is still standard input and output.
    const HANDLE input = Inheritable(packed, GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(0u, RunTool(L"retime - -o - --speed 2", input));
    CloseHandle(input);
    EXPECT_EQ(FileBytes(retimed), FileBytes(L"out.txt"));
    EXPECT_EQ(0, CountMatching(L"*.tmp*")) << "a temporary file was left behind";
}

TEST_F(WindowsNames, PackRefusesALineLongerThanItTakesAndWritesNothing)
{
    const std::wstring text = Japanese + L".txt";
    WriteFileBytes(text, "tandrel-rec 1\n0 key A down\n1 key A up # " + std::string(1048576, 'x') + "\n");
    EXPECT_EQ(2u, RunTool(L"pack " + Quoted(text) + L" -o " + Quoted(German + L".rec")));
    EXPECT_EQ(0u, FileBytes(L"err.txt").find(Utf8(text) + ":3: the line is longer than 1048576 bytes"))
        << FileBytes(L"err.txt");
    EXPECT_EQ("(none)", FileBytes(German + L".rec"));
    EXPECT_EQ(0, CountMatching(L"*.tmp*"));
}

TEST_F(WindowsNames, ARunEndedByCtrlCLeavesNoTemporaryFileAndTheOutputAsItWas)
{
    const std::wstring output = Cyrillic + L".rec";
    WriteFileBytes(output, "before");
    // pack reads standard input from a pipe that stays open: it waits with its temporary file.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
    ToolRun run = StartTool(L"pack - -o " + Quoted(output) + L" --force", readEnd, CREATE_NEW_CONSOLE);
    CloseHandle(readEnd);
    DWORD written = 0;
    WriteFile(writeEnd, "tandrel-rec 1\n0 key A down\n", 27, &written, nullptr);
    const DWORD start = GetTickCount();
    while (CountMatching(output + L".tmp*") == 0 && GetTickCount() - start < ToolTimeLimit) Sleep(20);
    ASSERT_EQ(1, CountMatching(output + L".tmp*")) << "pack made no temporary file";

    // Ctrl+C in pack's own console, as a user presses it there (the test ignores it itself).
    FreeConsole();
    ASSERT_TRUE(AttachConsole(run.process.dwProcessId)) << GetLastError();
    SetConsoleCtrlHandler(nullptr, TRUE);
    EXPECT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) << GetLastError();
    FinishTool(run);  // ended by the system's handler: 0 under Wine, STATUS_CONTROL_C_EXIT on Windows
    FreeConsole();
    CloseHandle(writeEnd);
    EXPECT_EQ(0, CountMatching(output + L".tmp*")) << "the temporary file was left behind";
    EXPECT_EQ("before", FileBytes(output));
}

}  // namespace
