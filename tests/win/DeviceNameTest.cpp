// A device name at naming and at rename, with scripted dialogs, against the existence test as
// Windows answers it: Windows reports Records\CON.rec and the like as existing (Wine does not,
// so the test's own QueryFileSize answers as Windows would). The user gets the invalid-name
// warning, never the question whether to overwrite or the message that the name exists.
#include <windows.h>

#include <gtest/gtest.h>

#include "library/QueryFileSize.h"
#include "library/RecordingNames.h"
#include "library/RecordsFolder.h"
#include "library/RenameRecording.h"
#include "recording/SaveFlow.h"
#include "support/ExpectedTexts.h"
#include "support/FakeUi.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"

// As Windows answers: a device under any folder and extension exists (an empty "file"); any
// other path as the file system says.
int64_t QueryFileSize(std::wstring_view path)
{
    const size_t folder = path.find_last_of(L"\\/");
    if (IsDeviceName(folder == std::wstring_view::npos ? path : path.substr(folder + 1))) return 0;
    const std::wstring copy(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(copy.c_str(), GetFileExInfoStandard, &data)) return -1;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -2;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

namespace {

using Bytes = std::vector<uint8_t>;
const Bytes Content = {1, 2, 3, 4};

class DeviceNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
        ResetFakeUi();
    }
    void TearDown() override
    {
        EXPECT_TRUE(gInputAnswers.empty()) << "answers left over";
        ResetFakeUi();
        LeaveWorkingFolder();
    }
};

// Every dialog call: the input dialogs with their default texts, the messages with theirs.
std::vector<std::wstring> Calls()
{
    std::vector<std::wstring> calls;
    for (const DialogCall& call : gDialogCalls) calls.push_back(call.isInput ? L"ask " + call.defaultText : call.text);
    return calls;
}

}  // namespace

TEST_F(DeviceNames, AtNamingTheyAreInvalidAndNeverAskedAboutAsExisting)
{
    WriteWholeFile(TempRecordPath, Content);
    gInputAnswers = {L"CON", L"lpt1 .txt", L"fine"};
    SaveRecording();
    const std::wstring invalid = expected::InvalidNameWarning;
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"ask ", invalid, L"ask CON", invalid, L"ask lpt1 .txt"}));
    EXPECT_EQ(ReadWholeFile(L"Records\\fine.rec"), Content);
}

TEST_F(DeviceNames, AtRenameTheyAreInvalidAndNeverReportedAsExisting)
{
    WriteWholeFile(L"Records\\Demo.rec", Content);
    gSelectedName = L"Demo";
    gInputAnswers = {L"con", L"COM3.x", L""};
    RenameRecording();
    const std::wstring invalid = expected::InvalidNameWarning;
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"ask Demo", invalid, L"ask con", invalid, L"ask COM3.x"}));
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), Content);
}
