// The program's message boxes, modal on the calling thread, and the styles and answers it uses.
#pragma once

// Message box styles the program uses.
constexpr unsigned StyleError = 16;         // MB_OK | MB_ICONERROR
constexpr unsigned StyleWarning = 48;       // MB_OK | MB_ICONWARNING
constexpr unsigned StyleQuestion = 36;      // MB_YESNO | MB_ICONQUESTION
constexpr unsigned StyleTaskError = 8208;   // MB_OK | MB_ICONERROR | MB_TASKMODAL
constexpr unsigned StyleTaskNotice = 8256;  // MB_OK | MB_ICONINFORMATION | MB_TASKMODAL
constexpr int AnswerYes = 6;
constexpr int AnswerNo = 7;

// MessageBoxW under the modal guard; returns its answer (0 when it could not be shown).
int MessageDialog(const wchar_t* title, const wchar_t* text, unsigned style);
