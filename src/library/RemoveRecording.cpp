// The Remove button: asks once, then deletes the selected recording's file.
#include "library/RecordingActions.h"

#include <windows.h>

#include "app/Messages.h"
#include "library/ActivityHold.h"
#include "library/RecordingMessages.h"
#include "library/RecordingNames.h"
#include "library/RecordsFolder.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

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
