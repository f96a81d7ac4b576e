// The save flow with scripted dialogs: every branch of the naming loop, the order of its
// questions, their texts and styles, and what becomes of the recording file.
#include <windows.h>

#include <gtest/gtest.h>

#include "library/RecordsFolder.h"
#include "recording/SaveFlow.h"
#include "support/ExpectedTexts.h"
#include "support/FakeUi.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes NewRecording(48, 0x4E);
const Bytes OldRecording(32, 0x0D);

class SaveFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
        WriteWholeFile(TempRecordPath, NewRecording);
        ResetFakeUi();
    }
    void TearDown() override
    {
        ExpectEveryAnswerTaken();
        ResetFakeUi();
        LeaveWorkingFolder();
    }
};

void ExpectNaming(size_t index, const std::wstring& defaultText)
{
    ExpectInputCall(index, expected::NamingTitle, expected::NamingPrompt, defaultText);
}

}  // namespace

TEST_F(SaveFlow, ANameMovesTheRecordingToItsFile)
{
    gInputAnswers = {L"Demo"};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 1u);
    ExpectNaming(0, L"");
    EXPECT_FALSE(FileExists(TempRecordPath));
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), NewRecording);
}

TEST_F(SaveFlow, CancelThenNoAsksAgainWithAnEmptyField)
{
    gInputAnswers = {L"", L"Later"};
    gMessageAnswers = {7};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 3u);
    ExpectNaming(0, L"");
    ExpectMessageCall(1, expected::DeleteQuestion, 36);
    ExpectNaming(2, L"");
    EXPECT_EQ(ReadWholeFile(L"Records\\Later.rec"), NewRecording);
    EXPECT_FALSE(FileExists(TempRecordPath));
}

TEST_F(SaveFlow, CancelThenYesDeletesTheRecording)
{
    gInputAnswers = {L""};
    gMessageAnswers = {6};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 2u);
    ExpectMessageCall(1, expected::DeleteQuestion, 36);
    EXPECT_FALSE(FileExists(TempRecordPath));
    EXPECT_FALSE(FileExists(L"Records\\.rec"));
}

TEST_F(SaveFlow, OnlyYesDeletes)
{
    // A box that could not be shown answers 0: the name is asked again.
    gInputAnswers = {L"", L"", L"Kept"};
    gMessageAnswers = {0, 7};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 5u);
    EXPECT_EQ(ReadWholeFile(L"Records\\Kept.rec"), NewRecording);
}

TEST_F(SaveFlow, AnExistingNameAnsweredNoIsOfferedAgain)
{
    WriteWholeFile(L"Records\\Demo.rec", OldRecording);
    gInputAnswers = {L"Demo", L"Other"};
    gMessageAnswers = {7};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 3u);
    ExpectMessageCall(1, expected::OverwriteQuestion, 36);
    ExpectNaming(2, L"Demo");
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), OldRecording);
    EXPECT_EQ(ReadWholeFile(L"Records\\Other.rec"), NewRecording);
}

TEST_F(SaveFlow, AnExistingNameAnsweredYesIsReplaced)
{
    WriteWholeFile(L"Records\\Demo.rec", OldRecording);
    gInputAnswers = {L"Demo"};
    gMessageAnswers = {6};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 2u);
    ExpectMessageCall(1, expected::OverwriteQuestion, 36);
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), NewRecording);
    EXPECT_FALSE(FileExists(TempRecordPath));
}

TEST_F(SaveFlow, AnEmptyExistingFileCountsAsExisting)
{
    WriteWholeFile(L"Records\\Empty.rec", {});
    gInputAnswers = {L"Empty"};
    gMessageAnswers = {6};
    SaveRecording();
    ExpectMessageCall(1, expected::OverwriteQuestion, 36);
    EXPECT_EQ(ReadWholeFile(L"Records\\Empty.rec"), NewRecording);
}

TEST_F(SaveFlow, InvalidCharactersWarnAndOfferTheNameAgain)
{
    gInputAnswers = {L"a:b", L"a\tb", L"ab"};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 5u);
    ExpectMessageCall(1, expected::InvalidNameWarning, 48);
    ExpectNaming(2, L"a:b");
    ExpectMessageCall(3, expected::InvalidNameWarning, 48);
    ExpectNaming(4, L"a\tb");
    EXPECT_EQ(ReadWholeFile(L"Records\\ab.rec"), NewRecording);
}

TEST_F(SaveFlow, TheExistenceQuestionComesBeforeTheCharacterTest)
{
    // "sub\x" breaks the name rule, yet names a file that exists.
    ASSERT_TRUE(CreateDirectoryW(L"Records\\sub", nullptr));
    WriteWholeFile(L"Records\\sub\\x.rec", OldRecording);
    gInputAnswers = {L"sub\\x", L"fine"};
    gMessageAnswers = {6};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 4u);
    ExpectMessageCall(1, expected::OverwriteQuestion, 36);
    ExpectMessageCall(2, expected::InvalidNameWarning, 48);
    ExpectNaming(3, L"sub\\x");
    EXPECT_EQ(ReadWholeFile(L"Records\\sub\\x.rec"), OldRecording);
    EXPECT_EQ(ReadWholeFile(L"Records\\fine.rec"), NewRecording);
}

TEST_F(SaveFlow, ANameOfSpacesOnlyIsAName)
{
    gInputAnswers = {L"   "};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 1u);
    EXPECT_EQ(ReadWholeFile(L"Records\\   .rec"), NewRecording);
}

TEST_F(SaveFlow, TheRecordingsOwnFileNameIsRefusedInAnyCase)
{
    gInputAnswers = {L"TempRecord", L"tEMPrECORD", L"Rescued"};
    SaveRecording();
    // No overwrite question although TempRecord.rec exists: the name is refused first.
    ASSERT_EQ(gDialogCalls.size(), 5u);
    ExpectMessageCall(1, expected::ReservedNameWarning, 48);
    ExpectNaming(2, L"TempRecord");
    ExpectMessageCall(3, expected::ReservedNameWarning, 48);
    ExpectNaming(4, L"tEMPrECORD");
    EXPECT_EQ(ReadWholeFile(L"Records\\Rescued.rec"), NewRecording);
    EXPECT_FALSE(FileExists(TempRecordPath));
}

TEST_F(SaveFlow, AFolderOfThatNameIsNoRecordingAndTheRecordingIsNotLeftBehind)
{
    ASSERT_TRUE(CreateDirectoryW(L"Records\\Dir.rec", nullptr));
    gInputAnswers = {L"Dir", L"Anders"};
    SaveRecording();
    // No overwrite question for a folder; the file system refuses the rename, and the name is
    // asked again instead of leaving the recording where the next F9 would empty it.
    ASSERT_EQ(gDialogCalls.size(), 3u);
    ExpectMessageCall(1, expected::NotSavedWarning, 48);
    ExpectNaming(2, L"Dir");
    EXPECT_TRUE(FolderExists(L"Records\\Dir.rec"));
    EXPECT_EQ(ReadWholeFile(L"Records\\Anders.rec"), NewRecording);
    EXPECT_FALSE(FileExists(TempRecordPath));
}

TEST_F(SaveFlow, ANameTheFileSystemRefusesWarnsAndKeepsTheRecordingUntilANameWorks)
{
    const std::wstring tooLong(300, L'x');
    gInputAnswers = {tooLong, L"Kurz"};
    SaveRecording();
    ASSERT_EQ(gDialogCalls.size(), 3u);
    ExpectNaming(0, L"");
    ExpectMessageCall(1, expected::NotSavedWarning, 48);
    ExpectNaming(2, tooLong);
    EXPECT_FALSE(FileExists(TempRecordPath));
    EXPECT_EQ(ReadWholeFile(L"Records\\Kurz.rec"), NewRecording);
}
