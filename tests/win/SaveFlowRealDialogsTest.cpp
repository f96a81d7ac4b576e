// The save flow with the program's real dialogs, answered from a second thread by typing and
// key presses, as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include "library/RecordsFolder.h"
#include "recording/SaveFlow.h"
#include "support/DialogDriver.h"
#include "support/ExpectedTexts.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

const Bytes NewRecording(64, 0x4E);
const Bytes OldRecording(16, 0x0D);

class SaveFlowRealDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
        WriteWholeFile(TempRecordPath, NewRecording);
    }
    void TearDown() override
    {
        LeaveWorkingFolder();
    }
};

}  // namespace

TEST_F(SaveFlowRealDialogs, CancelNoThenAnExistingNameNoThenYes)
{
    WriteWholeFile(L"Records\\Demo.rec", OldRecording);
    StartDialogScript({
        TypeAndPress(L"", VK_ESCAPE, false),  // cancel the first naming
        ClickButton(IDNO),                    // do not delete
        TypeAndPress(L"Demo", VK_RETURN),     // an existing name
        ClickButton(IDNO),                    // do not replace it
        TypeAndPress(L"", VK_RETURN, false),  // confirm the offered name unchanged
        PressKey(VK_RETURN),                  // replace: Yes is the default button
    });
    SaveRecording();
    std::vector<DialogSeen> seen;
    ASSERT_TRUE(FinishDialogScriptWith(6, seen));

    EXPECT_EQ(seen[0].title, expected::NamingTitle);
    EXPECT_EQ(seen[0].text, L"");
    EXPECT_EQ(seen[1].title, expected::MessageTitle);
    EXPECT_EQ(seen[1].text, expected::DeleteQuestion);
    EXPECT_EQ(seen[2].text, L"");
    EXPECT_EQ(seen[3].text, expected::OverwriteQuestion);
    EXPECT_EQ(seen[4].text, L"Demo");
    EXPECT_EQ(seen[5].text, seen[3].text);

    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), NewRecording);
    EXPECT_FALSE(FileExists(TempRecordPath));
}

TEST_F(SaveFlowRealDialogs, TheReservedNameWarnsThenCancelAndYesDeletes)
{
    StartDialogScript({
        TypeAndPress(L"TEMPRECORD", VK_RETURN),
        PressKey(VK_RETURN),  // the warning's OK
        TypeAndPress(L"", VK_ESCAPE, false),
        ClickButton(IDYES),
    });
    SaveRecording();
    std::vector<DialogSeen> seen;
    ASSERT_TRUE(FinishDialogScriptWith(4, seen));

    EXPECT_EQ(seen[1].text, expected::ReservedNameWarning);
    EXPECT_EQ(seen[2].text, L"TEMPRECORD");
    EXPECT_FALSE(FileExists(TempRecordPath));
}
