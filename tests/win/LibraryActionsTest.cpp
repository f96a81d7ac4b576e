// The Rename and Remove buttons with scripted dialogs: every answer, the order of the checks,
// the texts and styles, and the Activity state held at Busy while a dialog is open.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/ActivityState.h"
#include "library/QueryFileSize.h"
#include "library/RecordsFolder.h"
#include "library/RemoveRecording.h"
#include "library/RenameRecording.h"
#include "support/ExpectedTexts.h"
#include "support/FakeUi.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes Content = {1, 2, 3, 4};

class LibraryActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
        WriteWholeFile(L"Records\\Demo.rec", Content);
        ResetFakeUi();
        gSelectedName = L"Demo";
        gActivityState.store(Idle);
    }
    void TearDown() override
    {
        ExpectEveryAnswerTaken();
        ResetFakeUi();
        gActivityState.store(Idle);
        LeaveWorkingFolder();
    }
};

void ExpectRenaming(size_t index, const std::wstring& defaultText)
{
    ExpectInputCall(index, expected::RenamingTitle, expected::RenamingPrompt, defaultText);
}

// A warning: the exclamation icon and OK only.
void ExpectWarning(size_t index, const std::wstring& text)
{
    ExpectMessageCall(index, text, 48);
}

}  // namespace

TEST_F(LibraryActions, RenameMovesTheFileAndRefreshesTheList)
{
    gInputAnswers = {L"Renamed"};
    RenameRecording();
    ASSERT_EQ(gDialogCalls.size(), 1u);
    ExpectRenaming(0, L"Demo");
    EXPECT_FALSE(FileExists(L"Records\\Demo.rec"));
    EXPECT_EQ(ReadWholeFile(L"Records\\Renamed.rec"), Content);
    EXPECT_EQ(gListClearCount, 1);
    EXPECT_EQ(gListEntries, std::vector<std::wstring>{L"Renamed"});
}

TEST_F(LibraryActions, RenameCancelledEmptiedOrUnchangedDoesNothing)
{
    for (const wchar_t* answer : {L"", L"Demo"}) {
        gInputAnswers = {answer};
        RenameRecording();
    }
    EXPECT_EQ(gDialogCalls.size(), 2u);
    EXPECT_EQ(gListClearCount, 0);
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), Content);
}

TEST_F(LibraryActions, RenameToAnExistingNameWarnsAndOffersItAgain)
{
    WriteWholeFile(L"Records\\Taken.rec", {});
    gInputAnswers = {L"Taken", L"Free"};
    RenameRecording();
    ASSERT_EQ(gDialogCalls.size(), 3u);
    ExpectWarning(1, expected::NameExistsWarning);
    ExpectRenaming(2, L"Taken");
    EXPECT_EQ(QueryFileSize(L"Records\\Taken.rec"), 0);
    EXPECT_EQ(ReadWholeFile(L"Records\\Free.rec"), Content);
}

TEST_F(LibraryActions, RenameInLetterCaseOnlyFindsTheFileItself)
{
    // The file system ignores case, so the new name exists already: the current file.
    gInputAnswers = {L"DEMO", L""};
    RenameRecording();
    ASSERT_EQ(gDialogCalls.size(), 3u);
    ExpectWarning(1, expected::NameExistsWarning);
    ExpectRenaming(2, L"DEMO");
    EXPECT_EQ(gListClearCount, 0);
}

TEST_F(LibraryActions, RenameRefusesInvalidCharactersAfterTheExistenceTest)
{
    ASSERT_TRUE(CreateDirectoryW(L"Records\\sub", nullptr));
    WriteWholeFile(L"Records\\sub\\x.rec", {});
    gInputAnswers = {L"a/b", L"sub\\x", L"ok\x01", L""};
    RenameRecording();
    ASSERT_EQ(gDialogCalls.size(), 7u);
    ExpectWarning(1, expected::InvalidNameWarning);
    ExpectRenaming(2, L"a/b");
    // In use and invalid at once: reported as existing.
    ExpectWarning(3, expected::NameExistsWarning);
    ExpectRenaming(4, L"sub\\x");
    ExpectWarning(5, expected::InvalidNameWarning);
    ExpectRenaming(6, L"ok\x01");
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), Content);
}

TEST_F(LibraryActions, RenameAcceptsSpacesOnlyAndATrailingDot)
{
    gInputAnswers = {L"  "};
    RenameRecording();
    EXPECT_EQ(ReadWholeFile(L"Records\\  .rec"), Content);
    gSelectedName = L"  ";
    gInputAnswers = {L"v1."};
    RenameRecording();
    EXPECT_EQ(gDialogCalls.size(), 2u);
    EXPECT_EQ(gListEntries, std::vector<std::wstring>{L"v1."});
}

TEST_F(LibraryActions, RenameRefusesTheRecordingFileNameButRescuesALeftover)
{
    gInputAnswers = {L"temprecord", L""};
    RenameRecording();
    ASSERT_EQ(gDialogCalls.size(), 3u);
    ExpectWarning(1, expected::ReservedNameWarning);
    ExpectRenaming(2, L"temprecord");
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), Content);

    WriteWholeFile(TempRecordPath, {7, 7});
    gSelectedName = L"TempRecord";
    gInputAnswers = {L"Rescued"};
    RenameRecording();
    EXPECT_FALSE(FileExists(TempRecordPath));
    EXPECT_EQ(ReadWholeFile(L"Records\\Rescued.rec"), (Bytes{7, 7}));
}

TEST_F(LibraryActions, RenameOntoAFolderFailsSilentlyAndStillRefreshes)
{
    ASSERT_TRUE(CreateDirectoryW(L"Records\\Dir.rec", nullptr));
    gInputAnswers = {L"Dir"};
    RenameRecording();
    EXPECT_EQ(gDialogCalls.size(), 1u);
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), Content);
    EXPECT_EQ(gListClearCount, 1);
}

TEST_F(LibraryActions, RenameWithoutASelectionStartsEmptyAndChangesNothing)
{
    gSelectedName = L"";
    gInputAnswers = {L"New"};
    RenameRecording();
    ExpectRenaming(0, L"");
    EXPECT_FALSE(FileExists(L"Records\\New.rec"));
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), Content);
    EXPECT_EQ(gListClearCount, 1);
}

TEST_F(LibraryActions, RemoveAnsweredNoDoesNothing)
{
    gMessageAnswers = {7};
    RemoveRecording();
    ASSERT_EQ(gDialogCalls.size(), 1u);
    ExpectMessageCall(0, expected::RemoveQuestion, 36);
    EXPECT_TRUE(FileExists(L"Records\\Demo.rec"));
    EXPECT_EQ(gListClearCount, 0);
}

TEST_F(LibraryActions, RemoveAnsweredYesDeletesAndRefreshes)
{
    WriteWholeFile(L"Records\\Other.rec", {});
    gMessageAnswers = {6};
    RemoveRecording();
    EXPECT_FALSE(FileExists(L"Records\\Demo.rec"));
    EXPECT_EQ(gListClearCount, 1);
    EXPECT_EQ(gListEntries, std::vector<std::wstring>{L"Other"});
}

TEST_F(LibraryActions, ARefusedRemovalStaysListed)
{
    HANDLE locked = CreateFileW(L"Records\\Demo.rec", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    gMessageAnswers = {6};
    RemoveRecording();
    CloseHandle(locked);
    EXPECT_EQ(gListEntries, std::vector<std::wstring>{L"Demo"});
}

TEST_F(LibraryActions, DialogsRunInBusyAndIdleComesBack)
{
    WriteWholeFile(L"Records\\Taken.rec", {});
    gInputAnswers = {L"Taken", L"Free"};
    RenameRecording();
    gSelectedName = L"Free";
    gMessageAnswers = {7, 6};
    RemoveRecording();
    RemoveRecording();
    ASSERT_EQ(gDialogCalls.size(), 5u);
    for (const DialogCall& call : gDialogCalls) EXPECT_EQ(call.activityState, Busy);
    EXPECT_EQ(gActivityState.load(), Idle);
}

TEST_F(LibraryActions, AStateOtherThanIdleIsLeftAlone)
{
    gActivityState.store(Playing);
    gInputAnswers = {L""};
    RenameRecording();
    gMessageAnswers = {7};
    RemoveRecording();
    ASSERT_EQ(gDialogCalls.size(), 2u);
    EXPECT_EQ(gDialogCalls[0].activityState, Playing);
    EXPECT_EQ(gDialogCalls[1].activityState, Playing);
    EXPECT_EQ(gActivityState.load(), Playing);
}

TEST_F(LibraryActions, AStateChangedWhileHeldIsNotOverwritten)
{
    // Should anything else take the state during the dialog, Idle is not forced over it.
    gWhileDialogOpen = [] { gActivityState.store(Recording); };
    gMessageAnswers = {7};
    RemoveRecording();
    EXPECT_EQ(gActivityState.load(), Recording);
}
