// The Rename button: asks for a new name until it is acceptable, then renames the file.
#include "library/RenameRecording.h"
#include "library/QueryFileSize.h"
#include "library/RecordingsList.h"

#include <windows.h>

#include <string>

#include "core/UserTexts.h"
#include "library/ActivityHold.h"
#include "library/RecordingNames.h"
#include "ui/InputDialog.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"

namespace {

// The warning that refuses newName, or null when the rename may go ahead. The existence test
// comes before the character test, so a name that is both in use and invalid is reported as
// existing; but a device name first, which the platform reports as an existing file.
const wchar_t* RefusalOfNewName(const std::wstring& newName)
{
    if (IsReservedRecordingName(newName)) return ReservedNameWarning;
    if (IsDeviceName(newName)) return InvalidNameWarning;
    if (QueryFileSize(RecordingPath(newName)) >= 0) return NameExistsWarning;
    if (!IsValidRecordingName(newName)) return InvalidNameWarning;
    return nullptr;
}

}  // namespace

void RenameRecording()
{
    bool held = HoldActivityBusy();
    std::wstring currentName = SelectedRecordingName();
    std::wstring newName = currentName;
    for (;;) {
        newName = InputDialog(RenamingTitle, RenamingPrompt, newName.c_str());
        // Cancelled, emptied, or left as it was: nothing changes, not even the list.
        if (newName.empty() || newName == currentName) break;
        if (const wchar_t* refusal = RefusalOfNewName(newName)) {
            MessageDialog(MessageTitle, refusal, StyleWarning);
            continue;
        }
        // A plain rename: it never replaces a file that appeared in the meantime.
        MoveFileW(RecordingPath(currentName).c_str(), RecordingPath(newName).c_str());
        RefreshRecordingsList();
        break;
    }
    ReleaseActivityBusy(held);
}
