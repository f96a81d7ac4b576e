// The start of unattended mode against fakes of everything it calls: a missing recording, and
// a worker that cannot be started, each end the program with their error message, the hooks
// taken down before it. (A recording that plays is the end-to-end tests' matter.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/CommonExit.h"
#include "app/RunLog.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/UnattendedStart.h"
#include "core/Settings.h"
#include "hooks/HookModules.h"
#include "library/QueryFileSize.h"
#include "playback/PlaybackWorker.h"
#include "support/ExpectedTexts.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/Tray.h"

static std::vector<std::string> gLog;
static int64_t gFileSize = 0;
static bool gWorkerStarts = true;

HWND gMainWindow = reinterpret_cast<HWND>(0x3A1D);
HICON gIdleIcon = reinterpret_cast<HICON>(0x1D1E);
HICON gActiveIcon = reinterpret_cast<HICON>(0xAC71);

int64_t QueryFileSize(std::wstring_view)
{
    return gFileSize;
}
bool ChangeTrayIcon(UINT, HICON icon)
{
    gLog.push_back(icon == gActiveIcon ? "ChangeTrayIcon active" : "ChangeTrayIcon other");
    return true;
}
bool StartPlaybackWorker(HWND window)
{
    gLog.push_back(std::string("StartPlaybackWorker") + (window == gMainWindow ? "" : " other window") +
                   (gQuitAfterPlayback == 1 ? " quit after" : ""));
    return gWorkerStarts;
}
void UnloadHookModules()
{
    gLog.push_back("UnloadHookModules");
}
int MessageDialog(const wchar_t* title, const wchar_t* text, unsigned style)
{
    const std::wstring said = text;
    gLog.push_back("MessageDialog " + std::to_string(style) +
                   (said == expected::PlaybackFailedError        ? " cannot play"
                    : said == expected::PlaybackFileMissingError ? " not found"
                                                                 : " other") +
                   (std::wstring(title) == expected::MessageTitle ? "" : " other title"));
    return IDOK;
}
void MarkPlaying()
{
    gLog.push_back("MarkPlaying");
}
void WriteRunLogStart()
{
    gLog.push_back("WriteRunLogStart");
}
void NoteRunEnd(RunEnd end)
{
    gLog.push_back("NoteRunEnd " + std::string(RunEndWord(end)));
}
// Thrown by the fake common exit, which must not return.
struct LeftThroughCommonExit {};
void CommonExit()
{
    gLog.push_back("CommonExit");
    throw LeftThroughCommonExit{};
}

namespace {

class UnattendedStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        gLog.clear();
        gFileSize = 160;
        gWorkerStarts = true;
        gQuitAfterPlayback = 0;
    }
};

}  // namespace

TEST_F(UnattendedStart, AWorkerThatCannotBeStartedEndsTheProgramWithAnError)
{
    gWorkerStarts = false;
    EXPECT_THROW(StartUnattendedPlayback(), LeftThroughCommonExit);
    EXPECT_EQ(gLog, (std::vector<std::string>{"ChangeTrayIcon active", "MarkPlaying", "StartPlaybackWorker quit after",
                                              "NoteRunEnd start-failed", "UnloadHookModules",
                                              "MessageDialog 16 cannot play", "CommonExit"}));
}

TEST_F(UnattendedStart, AMissingRecordingEndsTheProgramWithoutAWorker)
{
    for (int64_t size : {NothingThere, FolderThere}) {
        gLog.clear();
        gFileSize = size;
        EXPECT_THROW(StartUnattendedPlayback(), LeftThroughCommonExit);
        EXPECT_EQ(gLog, (std::vector<std::string>{"NoteRunEnd not-found", "UnloadHookModules",
                                                  "MessageDialog 16 not found", "CommonExit"}));
    }
}
