// Rename and remove with the program's real main window, list and dialogs, answered from a
// second thread by typing and key presses.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "core/ActivityState.h"
#include "library/RecordingsList.h"
#include "library/RemoveRecording.h"
#include "library/RenameRecording.h"
#include "support/DialogDriver.h"
#include "support/ExpectedTexts.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"
#include "ui/MainWindow.h"

namespace {

class LibraryRealDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
        WriteWholeFile(L"Records\\Demo.rec", {1, 2, 3});
        WriteWholeFile(L"Records\\Other.rec", {4});
        gActivityState.store(Idle);
        ASSERT_NE(OpenMainWindow(true), nullptr);
        RefreshRecordingsList();
    }
    void TearDown() override
    {
        DestroyMainWindow();
        LeaveWorkingFolder();
    }

    HWND List()
    {
        return GetDlgItem(gMainWindow, RecordingsList);
    }

    void Select(const wchar_t* name)
    {
        LRESULT index =
            SendMessageW(List(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
        ASSERT_NE(index, LB_ERR);
        SendMessageW(List(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ASSERT_EQ(SelectedRecordingName(), name);
    }

    std::vector<std::wstring> Entries()
    {
        std::vector<std::wstring> entries;
        LRESULT count = SendMessageW(List(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            SendMessageW(List(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        std::sort(entries.begin(), entries.end());
        return entries;
    }
};

}  // namespace

TEST_F(LibraryRealDialogs, RenameRetriesAfterAWarningAndHoldsBusyMeanwhile)
{
    Select(L"Demo");
    StartDialogScript({
        TypeAndPress(L"Other", VK_RETURN),
        PressKey(VK_RETURN),  // the warning's OK
        TypeAndPress(L"Renamed", VK_RETURN),
    });
    RenameRecording();
    std::vector<DialogSeen> seen;
    ASSERT_TRUE(FinishDialogScriptWith(3, seen));

    EXPECT_EQ(seen[0].title, expected::RenamingTitle);
    EXPECT_EQ(seen[0].text, L"Demo");
    EXPECT_EQ(seen[1].text, expected::NameExistsWarning);
    EXPECT_EQ(seen[2].text, L"Other");
    for (const DialogSeen& dialog : seen) {
        EXPECT_EQ(dialog.activityState, Busy);
        EXPECT_FALSE(dialog.mainWindowEnabled);
    }
    EXPECT_EQ(gActivityState.load(), Idle);
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));
    EXPECT_EQ(ReadWholeFile(L"Records\\Renamed.rec"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"Other", L"Renamed"}));
}

TEST_F(LibraryRealDialogs, RemoveAnsweredNoThenYesWithEnter)
{
    Select(L"Other");
    StartDialogScript({ClickButton(IDNO)});
    RemoveRecording();
    std::vector<DialogSeen> seen;
    ASSERT_TRUE(FinishDialogScriptWith(1, seen));
    EXPECT_EQ(seen[0].text, expected::RemoveQuestion);
    EXPECT_EQ(seen[0].activityState, Busy);
    EXPECT_TRUE(FileExists(L"Records\\Other.rec"));

    StartDialogScript({PressKey(VK_RETURN)});
    RemoveRecording();
    ASSERT_TRUE(FinishDialogScriptWith(1, seen));
    EXPECT_FALSE(FileExists(L"Records\\Other.rec"));
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"Demo"});
    EXPECT_EQ(gActivityState.load(), Idle);
}
