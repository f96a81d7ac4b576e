// The way out of start-up and of the unattended start with an error message.
#include "app/LeaveWithError.h"

#include "app/CommonExit.h"
#include "app/RunLog.h"
#include "core/UserTexts.h"
#include "hooks/HookModules.h"
#include "ui/MessageDialog.h"

void LeaveWithError(const wchar_t* text, RunEnd end)
{
    NoteRunEnd(end);
    // No hook may report an F9 while the message is open: it would start a recording, which
    // the exit would then write over TempRecord.rec.
    UnloadHookModules();
    MessageDialog(MessageTitle, text, StyleError);
    CommonExit();
}
