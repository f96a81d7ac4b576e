// Answers the program's real dialogs (the input dialog and its message boxes) the way a user
// would, with posted keys, characters and button clicks, and notes what they show. It runs in
// one of two ways:
//  - RunWhenOpen: the steps of a DialogScript, one per tick of a timer of the test's own
//    thread, which ticks inside the modal loop of a dialog the test opened on that thread;
//  - StartDialogScript ... FinishDialogScript: a second thread that waits for one dialog after
//    another, notes what each shows and answers it, while the test's thread runs a whole flow.
// Either way a test that goes wrong fails instead of hanging: dialogs the script did not
// expect are answered so that every flow ends (a cancel, or Yes, or OK).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class DialogKind {
    Input,  // the input dialog, whatever its title
    Box     // a message box with the program's title
};

// The visible dialog of this kind, of any thread; nullptr when none is open.
HWND FindDialog(DialogKind kind);
// The same, of the calling thread only.
HWND FindOwnDialog(DialogKind kind);
// Waits until a dialog of this kind is open and its thread is in the dialog's message loop
// (of another thread than the caller's); nullptr when none came within timeoutMs.
HWND WaitForDialog(DialogKind kind, DWORD timeoutMs);

// The entry field of the input dialog.
HWND EntryField(HWND inputDialog);
// What a user does, posted so that it happens inside the dialog's own loop.
void PostKeyDown(HWND target, UINT key);
void PostKeyPress(HWND target, UINT key);                   // down, then up
void PostText(HWND inputDialog, const std::wstring& text);  // typed into the entry field at its caret
void PostButtonClick(HWND dialog, int button);
// The message that a message box shows (the text of its static controls).
std::wstring BoxText(HWND box);

// --- From a second thread, one step per dialog ---

// What a dialog showed while it was open.
struct DialogSeen {
    bool found;
    std::wstring title;
    std::wstring text;       // Input: the entry field's text on opening; Box: its message
    int32_t activityState;   // gActivityState while the dialog was open
    bool mainWindowEnabled;  // IsWindowEnabled(gMainWindow) while the dialog was open
};

// One dialog of a flow: the kind waited for, and what is done to it once it has been noted.
struct DialogStep {
    DialogKind kind;
    std::function<void(HWND dialog)> answer;
};

// Input: types `typed` (after emptying the field, with clear; else at the caret), then presses
// key (VK_RETURN or VK_ESCAPE).
DialogStep TypeAndPress(const std::wstring& typed, UINT key, bool clear = true);
// Box: presses key on the focused button (VK_RETURN: the default button).
DialogStep PressKey(UINT key);
// Box: clicks this button (IDYES, IDNO, IDOK).
DialogStep ClickButton(int button);

// Starts answering; FinishDialogScript is to be called once the flow under test has returned.
void StartDialogScript(std::vector<DialogStep> steps);
// Stops the thread; returns what each scripted dialog showed (found is false for the step whose
// dialog never came, and the steps after it are left out) and how many unscripted ones came.
std::vector<DialogSeen> FinishDialogScript(int& unscriptedDialogs);
// FinishDialogScript for a test that asserts on its result: passes when exactly `count`
// scripted dialogs came, each of them found, and no unscripted one; `seen` gets what they
// showed either way.
::testing::AssertionResult FinishDialogScriptWith(size_t count, std::vector<DialogSeen>& seen);

// --- From a timer inside the dialog's own loop, steps on one dialog ---

// Steps that run one per timer tick (100 ms apart) while a modal loop of this thread runs, so
// that what one step posts is handled before the next. The first step waits until a dialog of
// this kind of this thread is open; every step gets that dialog. If none appears within 10 s,
// or it vanishes before the last step, the test fails and whatever dialog of this thread is
// open is answered, so the test cannot hang.
struct DialogScript {
    DialogKind kind = DialogKind::Input;
    std::vector<std::function<void(HWND dialog)>> steps;
    size_t next = 0;
    DWORD start = 0;
    UINT_PTR timer = 0;
    bool finished = false;
};

// Arms the script; the caller then opens the dialog, whose loop runs the steps.
void RunWhenOpen(DialogScript& script);
