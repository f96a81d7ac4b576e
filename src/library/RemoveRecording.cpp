// The Remove button: asks once, then deletes the selected recording's file.
#include "library/RemoveRecording.h"
#include "library/RecordingsList.h"

#include <windows.h>

#include "core/UserTexts.h"
#include "library/ActivityHold.h"
#include "library/RecordingNames.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"

void RemoveRecording()
{
    bool held = HoldActivityBusy();
    if (MessageDialog(MessageTitle, RemoveQuestion, StyleQuestion) == AnswerYes) {
        // A refused delete is not reported; the refreshed list still shows the recording.
        DeleteFileW(RecordingPath(SelectedRecordingName()).c_str());
        RefreshRecordingsList();
    }
    ReleaseActivityBusy(held);
}
