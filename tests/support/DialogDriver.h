// Answers the program's real dialogs from a second thread, the way a user would: it waits for
// each dialog in turn, notes what it shows, then types into it and presses keys (posted
// messages). Dialogs beyond the script are answered so that every flow ends, and counted.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

enum class DialogKind {
    Input,
    Box
};

struct DialogStep {
    DialogKind kind;
    std::wstring typed;  // Input: text typed after emptying the field (with clear) or at the caret
    bool clear;          // Input: empty the field before typing
    UINT key;            // Input: VK_RETURN or VK_ESCAPE; Box: VK_RETURN (the default button)
    int button;          // Box, when key is 0: the button to click, IDYES or IDNO
};

struct DialogSeen {
    bool found;
    std::wstring title;
    std::wstring text;       // Input: the entry field's text on opening; Box: its message
    int32_t activityState;   // gActivityState while the dialog was open
    bool mainWindowEnabled;  // IsWindowEnabled(gMainWindow) while the dialog was open
};

DialogStep TypeAndPress(const std::wstring& typed, UINT key, bool clear = true);
DialogStep PressKey(UINT key);
DialogStep ClickButton(int button);

// Starts answering; FinishDialogScript is to be called once the flow under test has returned.
void StartDialogScript(std::vector<DialogStep> steps);
// Stops the thread; returns what each scripted dialog showed and how many unscripted ones came.
std::vector<DialogSeen> FinishDialogScript(int& unscriptedDialogs);
