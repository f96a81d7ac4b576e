// Every text the user sees: the window's title and labels, the dialogs' titles and prompts,
// and the messages. The German texts are fixed; nothing else in the program spells them.
#pragma once

#include "core/Version.h"

// Title of every message box of the program, and the tray icon's tooltip.
constexpr const wchar_t* MessageTitle = L"Vorsk - Tandrel";
constexpr const wchar_t* MainWindowTitle = L"Vorsk - Tandrel " TANDREL_VERSION_SHORT_TEXT;

// The main window's gadgets.
constexpr const wchar_t* RecordingsFrameText = L"Aufzeichnungen";
constexpr const wchar_t* RepeatLabelText = L"Wiederholung der Wiedergabe:";
constexpr const wchar_t* RepeatCountDefaultText = L"0";
constexpr const wchar_t* PlayButtonText = L"Abspielen";
constexpr const wchar_t* RenameButtonText = L"Umbenennen";
constexpr const wchar_t* RemoveButtonText = L"Entfernen";
constexpr const wchar_t* RecordKeyLabelText = L"Aufzeichnung starten/stoppen:";
constexpr const wchar_t* StopKeyLabelText = L"Abspielen stoppen:";
constexpr const wchar_t* F9LabelText = L"F9-Taste dr\u00fccken";

// The input dialog's button.
constexpr const wchar_t* OkButtonText = L"OK";

// Start-up errors.
constexpr const wchar_t* MainWindowFailedError = L"Das Hauptfenster konnte nicht ge\u00f6ffnet werden!";
constexpr const wchar_t* KeyboardHookFailedError = L"Der Tastatur-Hook konnte nicht installiert werden!";
constexpr const wchar_t* MouseHookFailedError = L"Der Maus-Hook konnte nicht installiert werden!";
constexpr const wchar_t* PlaybackFileMissingError = L"Aufnahmedatei wurde nicht gefunden!";
// A second start found a running copy that did not answer within 2 s (it hangs): this copy
// starts all the same.
constexpr const wchar_t* RunningCopyNotAnsweringWarning =
    L"Das bereits laufende Tandrel antwortet nicht!\r\n\r\nDieses Tandrel wird trotzdem gestartet.";

// The window callback's task-modal notices.
constexpr const wchar_t* RecordingNotStartedError = L"Aufzeichnung konnte nicht gestartet werden!";
constexpr const wchar_t* PlaybackCancelledNotice = L"Abspielen wurde vom Benutzer abgebrochen!";
// A write of the recording failed (a full disk, say): the recording ended there.
constexpr const wchar_t* RecordingIncompleteWarning = L"Aufzeichnung konnte nicht vollst\u00e4ndig gespeichert werden!";
// A recording left in TempRecord.rec could not be kept under a name of its own: no new
// recording starts, since it would empty that file.
constexpr const wchar_t* LeftoverNotKeptWarning =
    L"Die vorige Aufzeichnung konnte nicht gesichert werden!\r\n\r\nEine neue Aufzeichnung wurde nicht gestartet.";
// The name a recording left in TempRecord.rec is kept under, followed by a space and a number.
constexpr const wchar_t* LeftoverRecordingNameStem = L"Unterbrochene Aufzeichnung";

// The playback worker.
constexpr const wchar_t* PlaybackFailedError = L"Aufnahme konnte nicht abgespielt werden!";

// Naming, renaming and removing recordings.
constexpr const wchar_t* NamingTitle = L"Aufzeichnung benennen";
constexpr const wchar_t* NamingPrompt = L"Geben Sie der Aufzeichnung ein Name";
constexpr const wchar_t* RenamingTitle = L"Aufzeichnung umbenennen";
constexpr const wchar_t* RenamingPrompt = L"Geben Sie der Aufzeichnung einen neuen Name";
constexpr const wchar_t* DeleteQuestion = L"M\u00f6chten Sie die Aufzeichnung l\u00f6schen?";
constexpr const wchar_t* OverwriteQuestion =
    L"Eine Aufzeichnung mit diesem Name existiert bereits!\r\n\r\nM\u00f6chten Sie diese \u00fcberschreiben?";
constexpr const wchar_t* InvalidNameWarning = L"Name der Aufzeichnung enth\u00e4lt nicht erlaubte Zeichen!";
constexpr const wchar_t* NameExistsWarning = L"Eine Aufzeichnung mit diesem Name existiert bereits!";
constexpr const wchar_t* RemoveQuestion = L"M\u00f6chten Sie die Aufzeichnung wirklich entfernen?";
// TempRecord is the file of the recording in progress: a recording of that name would be
// emptied by the next start of a recording.
constexpr const wchar_t* ReservedNameWarning = L"Dieser Name ist f\u00fcr die laufende Aufzeichnung reserviert!";
// The file system refused the name (too long for it, for instance): the recording would
// otherwise stay in TempRecord.rec and be emptied by the next start of a recording.
constexpr const wchar_t* NotSavedWarning = L"Die Aufzeichnung konnte unter diesem Namen nicht gespeichert werden!";

// A window the recording went to did not come within its time-out: the playback stopped there,
// nothing more was typed or clicked. The window's program and class go between the parts.
constexpr const wchar_t* WindowMissingErrorStart = L"Das Fenster der Aufnahme ist nicht erschienen!\r\n\r\nProgramm: ";
constexpr const wchar_t* WindowMissingErrorClass = L"\r\nFensterklasse: ";
constexpr const wchar_t* WindowMissingErrorEnd = L"\r\n\r\nAbspielen wurde abgebrochen!";
// A press's control was not ready in time: it did not appear in its window, stayed hidden or
// disabled, or did not get the keyboard focus. Program, window class and the control's class go
// between the parts, the window's as above.
constexpr const wchar_t* ControlNotReadyErrorStart =
    L"Das Steuerelement der Aufnahme ist nicht bereit geworden!\r\n\r\nProgramm: ";
constexpr const wchar_t* ControlNotReadyErrorControl = L"\r\nSteuerelement: ";
// The window of a press did not answer messages in time; program and class as above.
constexpr const wchar_t* NotAnsweringErrorStart = L"Das Fenster der Aufnahme antwortet nicht!\r\n\r\nProgramm: ";
// The window of a press runs with higher rights than Tandrel: the system would drop the input
// without a word, so the playback stops at once. Program and class as above.
constexpr const wchar_t* HigherRightsErrorStart =
    L"Das Fenster der Aufnahme l\u00e4uft mit h\u00f6heren Rechten und nimmt keine Eingaben an!\r\n\r\nProgramm: ";
// The session stayed locked (or disconnected): no input could arrive.
constexpr const wchar_t* SessionLockedError =
    L"Die Sitzung ist gesperrt, Eingaben kommen nicht an!\r\n\r\nAbspielen wurde abgebrochen!";
