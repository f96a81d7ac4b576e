// Message numbers and fixed texts that several parts of the program share.
#pragma once

// One input event reported by a hook module: wParam the input message, lParam per kind.
constexpr unsigned HookEventMessage = 0x0400 + 750;  // WM_USER + 750 = 1774
// Posted by the playback worker when it has ended (unless the program is to quit).
constexpr unsigned PlaybackEndedMessage = 0x0400 + 751;  // WM_USER + 751 = 1775
// The notification-area icon reports its mouse messages with this number.
constexpr unsigned TrayCallbackMessage = 12501;

constexpr unsigned VirtualKeyF9 = 0x78;

// Title of every message box of the program.
constexpr const wchar_t* MessageTitle = L"Vorsk - Tandrel";

// Message box styles the program uses.
constexpr unsigned StyleError = 16;         // MB_OK | MB_ICONERROR
constexpr unsigned StyleWarning = 48;       // MB_OK | MB_ICONWARNING
constexpr unsigned StyleQuestion = 36;      // MB_YESNO | MB_ICONQUESTION
constexpr unsigned StyleTaskError = 8208;   // MB_OK | MB_ICONERROR | MB_TASKMODAL
constexpr unsigned StyleTaskNotice = 8256;  // MB_OK | MB_ICONINFORMATION | MB_TASKMODAL
constexpr int AnswerYes = 6;
constexpr int AnswerNo = 7;
