// The run log while two runs append to it at once and it passes its limit: no line is lost,
// and the history set aside by one run's rotation is not set aside again over by the other's.
//
// The test program is also the two runs: started with "append TAG COUNT" it waits for the
// test's go and appends COUNT lines of its own through the program's AppendRunLogLine.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "app/RunLogAppend.h"
#include "app/RunLogLine.h"
#include "support/FileHelpers.h"

namespace {

constexpr wchar_t GoEventName[] = L"Local\\TandrelRunLogRotationTestGo";
constexpr wchar_t FoundLockedEventName[] = L"Local\\TandrelRunLogRotationTestLocked";
// How long the test holds the log after the run found it locked: far less than the program's
// retry, far more than the run needs to reach its own open.
constexpr DWORD HoldAfterFoundLockedMs = 300;
constexpr int LinesPerRun = 1000;
constexpr size_t LineBytes = 500;
// What the log holds before the runs: well below the limit, which their lines then pass once.
constexpr size_t HistoryBytes = 600 * 1024;
constexpr DWORD RunDeadlineMs = 120000;

std::string RunLine(const std::string& tag, int number)
{
    std::string line = tag + " " + std::to_string(number) + " ";
    line.append(LineBytes - 2 - line.size(), 'x');
    return line + "\r\n";
}

int AppendAsARun(const std::string& tag, int count)
{
    const HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, GoEventName);
    if (go == nullptr || WaitForSingleObject(go, RunDeadlineMs) != WAIT_OBJECT_0) return 2;
    CloseHandle(go);
    int failed = 0;
    for (int i = 0; i < count; ++i)
        if (!AppendRunLogLine(RunLine(tag, i))) ++failed;
    return failed == 0 ? 0 : 1;
}

std::wstring LogPath();

// A run that first sees for itself that the log is locked, tells the test, and then appends.
int AppendAfterTheLock(const std::string& tag)
{
    const HANDLE probe =
        CreateFileW(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return 3;
    }
    const HANDLE found = OpenEventW(EVENT_MODIFY_STATE, FALSE, FoundLockedEventName);
    if (found == nullptr) return 2;
    SetEvent(found);
    CloseHandle(found);
    return AppendRunLogLine(RunLine(tag, 0)) ? 0 : 1;
}

std::wstring LogPath()
{
    wchar_t base[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base))) return L"";
    return std::wstring(base) + L"\\Tandrel\\Tandrel.log";
}

HANDLE StartRun(const char* tag, const wchar_t* mode = L"append")
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" " + mode + L" " + std::wstring(tag, tag + 1) + L" " +
                           std::to_wstring(LinesPerRun);
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

std::vector<std::string> Lines(const std::wstring& path)
{
    const std::vector<uint8_t> bytes = FileExists(path) ? ReadWholeFile(path) : std::vector<uint8_t>{};
    std::vector<std::string> lines;
    std::string line;
    for (const uint8_t byte : bytes) {
        line += static_cast<char>(byte);
        if (byte == '\n') {
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

TEST(RunLogRotation, TwoRunsThatPassTheLimitAtOnceLoseNoLineAndRotateOnce)
{
    const std::wstring log = LogPath();
    ASSERT_FALSE(log.empty());
    const std::wstring kept = log + L".1";
    DeleteFileW(kept.c_str());
    DeleteFileW(log.c_str());
    std::string history;
    for (int i = 0; history.size() < HistoryBytes; ++i) history += RunLine("H", i);
    ASSERT_TRUE(AppendRunLogLine(history)) << "the log's folder";

    const HANDLE go = CreateEventW(nullptr, TRUE, FALSE, GoEventName);
    ASSERT_NE(nullptr, go);
    const HANDLE runs[2] = {StartRun("A"), StartRun("B")};
    ASSERT_NE(nullptr, runs[0]);
    ASSERT_NE(nullptr, runs[1]);
    SetEvent(go);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, runs, TRUE, RunDeadlineMs));
    for (const HANDLE run : runs) {
        DWORD code = 99;
        GetExitCodeProcess(run, &code);
        EXPECT_EQ(0u, code) << "a line could not be written";
        CloseHandle(run);
    }
    CloseHandle(go);

    // Once past the limit the log was set aside whole, history first, and only once: the
    // second run, which found it full too, did not set the new log aside over it.
    const std::vector<std::string> setAside = Lines(kept);
    const std::vector<std::string> current = Lines(log);
    ASSERT_FALSE(setAside.empty()) << "the log was never set aside";
    EXPECT_EQ(RunLine("H", 0), setAside.front()) << "the history was set aside over";
    EXPECT_GT(setAside.size() * LineBytes + LineBytes, static_cast<size_t>(RunLogLimitBytes) - LineBytes);
    // Every line of both runs, exactly once, in each run's order.
    std::map<std::string, int> next = {{"A", 0}, {"B", 0}};
    for (const auto* part : {&setAside, &current}) {
        for (const std::string& line : *part) {
            const std::string tag = line.substr(0, 1);
            if (tag == "H") continue;
            ASSERT_TRUE(next.count(tag)) << line.substr(0, 40);
            EXPECT_EQ(RunLine(tag, next[tag]), line) << "a line of run " << tag << " was lost";
            next[tag] = std::atoi(line.c_str() + 2) + 1;
        }
    }
    EXPECT_EQ(LinesPerRun, next["A"]);
    EXPECT_EQ(LinesPerRun, next["B"]);
    DeleteFileW(kept.c_str());
    DeleteFileW(log.c_str());
}

TEST(RunLogRotation, ALineWaitsOutAMomentaryLockInsteadOfBeingLost)
{
    const std::wstring log = LogPath();
    ASSERT_FALSE(log.empty());
    DeleteFileW(log.c_str());
    ASSERT_TRUE(AppendRunLogLine(RunLine("H", 0)));
    // Held for a moment as another run's rename holds it (or a program that shares nothing).
    const HANDLE held =
        CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    const HANDLE found = CreateEventW(nullptr, TRUE, FALSE, FoundLockedEventName);
    ASSERT_NE(nullptr, found);
    const HANDLE run = StartRun("L", L"locked");
    ASSERT_NE(nullptr, run);
    const DWORD sawLock = WaitForSingleObject(found, RunDeadlineMs);
    Sleep(HoldAfterFoundLockedMs);
    CloseHandle(held);
    ASSERT_EQ(WAIT_OBJECT_0, sawLock) << "the run never found the log locked";
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(run, RunDeadlineMs));
    DWORD code = 99;
    GetExitCodeProcess(run, &code);
    CloseHandle(run);
    CloseHandle(found);
    EXPECT_EQ(0u, code) << "the line was lost to the lock";
    EXPECT_EQ((std::vector<std::string>{RunLine("H", 0), RunLine("L", 0)}), Lines(log));
    DeleteFileW(log.c_str());
}

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "append") return AppendAsARun(argv[2], std::atoi(argv[3]));
    if (argc == 4 && std::string(argv[1]) == "locked") return AppendAfterTheLock(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
