// Scripted stand-ins for the dialogs and the recordings list of the main window, for tests of
// the save, rename and remove flows: each dialog takes its answer from a queue and is noted
// with everything it was shown.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

struct DialogCall {
    bool isInput;  // InputDialog, else MessageDialog
    std::wstring title;
    std::wstring text;         // the prompt of an InputDialog
    std::wstring defaultText;  // InputDialog only
    unsigned style;            // MessageDialog only
    int32_t activityState;     // gActivityState while the dialog was open
};

extern std::vector<DialogCall> gDialogCalls;
// Answers, taken from the front (gMessageAnswers for the Yes/No boxes only; boxes with just an
// OK button answer 1 by themselves). When a queue runs dry the test fails, and the dialog answers
// so that every flow ends: an empty text, and Yes.
extern std::deque<std::wstring> gInputAnswers;
extern std::deque<int> gMessageAnswers;
// Runs inside every dialog before it answers (to look at files while it is open).
extern std::function<void()> gWhileDialogOpen;

extern std::vector<std::wstring> gListEntries;
extern int gListClearCount;
extern std::wstring gSelectedName;

void ResetFakeUi();
// Fails the test where an answer was never asked for.
void ExpectEveryAnswerTaken();
// Checks the dialog at `index` of gDialogCalls: an InputDialog with this title, prompt and
// offered text; a MessageDialog with the program's title, this text and this style.
void ExpectInputCall(size_t index, const std::wstring& title, const std::wstring& prompt,
                     const std::wstring& defaultText);
void ExpectMessageCall(size_t index, const std::wstring& text, unsigned style);
