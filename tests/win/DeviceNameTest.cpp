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

// Every dialog call: the input dialogs as "ask" with their default texts, messages by text.
std::vector<std::wstring> Calls()
{
    std::vector<std::wstring> calls;
    for (const DialogCall& call : gDialogCalls) calls.push_back(call.isInput ? L"ask " + call.defaultText : call.text);
    return calls;
}

}  // namespace

TEST(DeviceNames, AtNamingAndRenameTheyAreInvalidAndNeverTakenForExisting)
{
    const std::vector<uint8_t> content = {1, 2, 3, 4};
    const std::wstring invalid = expected::InvalidNameWarning;
    EnterFreshWorkingFolder();
    ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
    WriteWholeFile(TempRecordPath, content);
    ResetFakeUi();
    gInputAnswers = {L"CON", L"lpt1 .txt", L"Demo"};
    SaveRecording();
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"ask ", invalid, L"ask CON", invalid, L"ask lpt1 .txt"}));

    ResetFakeUi();
    gSelectedName = L"Demo";
    gInputAnswers = {L"con", L"COM3.x", L""};
    RenameRecording();
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{L"ask Demo", invalid, L"ask con", invalid, L"ask COM3.x"}));
    EXPECT_EQ(ReadWholeFile(L"Records\\Demo.rec"), content);
    ResetFakeUi();
    LeaveWorkingFolder();
}
