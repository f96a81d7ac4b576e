// The save flow: after F9 stopped a recording, asks for a name until the recording has been
// named or thrown away.
#include "recording/SaveFlow.h"

#include <windows.h>

#include <string>

#include "core/UserTexts.h"
#include "library/QueryFileSize.h"
#include "library/RecordingNames.h"
#include "library/RecordsFolder.h"
#include "ui/InputDialog.h"
#include "ui/MessageDialog.h"

// What one answer of the naming dialog leads to.
enum class NamingStep {
    AskAgain,
    Done
};

namespace {

NamingStep ThrowAwayOrAskAgain()
{
    if (MessageDialog(MessageTitle, DeleteQuestion, StyleQuestion) != AnswerYes) return NamingStep::AskAgain;
    DeleteFileW(TempRecordPath);
    return NamingStep::Done;
}

NamingStep TryName(const std::wstring& name)
{
    if (name.empty()) return ThrowAwayOrAskAgain();
    // Before the existence question: that would find the recording's own file and offer to
    // "replace" it, leaving a named recording that the next F9 empties.
    if (IsReservedRecordingName(name)) {
        MessageDialog(MessageTitle, ReservedNameWarning, StyleWarning);
        return NamingStep::AskAgain;
    }
    // The platform reports a device (CON.rec) as an existing file: never the overwrite question.
    if (IsDeviceName(name)) {
        MessageDialog(MessageTitle, InvalidNameWarning, StyleWarning);
        return NamingStep::AskAgain;
    }
    std::wstring target = RecordingPath(name);
    // Only a No keeps the old recording; any other answer (0 when no box could be shown
    // included) goes on.
    if (QueryFileSize(target) >= 0 && MessageDialog(MessageTitle, OverwriteQuestion, StyleQuestion) == AnswerNo) {
        return NamingStep::AskAgain;
    }
    if (!IsValidRecordingName(name)) {
        MessageDialog(MessageTitle, InvalidNameWarning, StyleWarning);
        return NamingStep::AskAgain;
    }
    // A plain rename fails when the target exists; the user agreed to replace it above.
    if (!MoveFileExW(TempRecordPath, target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        MessageDialog(MessageTitle, NotSavedWarning, StyleWarning);
        return NamingStep::AskAgain;
    }
    return NamingStep::Done;
}

}  // namespace

void SaveRecording()
{
    // Each pass offers the text of the pass before, so a refused name can be corrected.
    std::wstring name;
    do {
        name = InputDialog(NamingTitle, NamingPrompt, name.c_str());
    } while (TryName(name) == NamingStep::AskAgain);
}
