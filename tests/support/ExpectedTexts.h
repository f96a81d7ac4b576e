// The German texts the tests expect the program to show, written out once on the test side.
// They are deliberately not taken from the program's own list of texts: a wrong text in the
// program must fail a test, not be compared with itself.
#pragma once

namespace expected {

// Title of every message box of the program, and the tray icon's tooltip.
constexpr const wchar_t* MessageTitle = L"Vorsk - Tandrel";
constexpr const wchar_t* MainWindowTitle = L"Vorsk - Tandrel 1.4";

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

// Naming, renaming and removing recordings.
constexpr const wchar_t* NamingTitle = L"Aufzeichnung benennen";
constexpr const wchar_t* NamingPrompt = L"Geben Sie der Aufzeichnung ein Name";
constexpr const wchar_t* RenamingTitle = L"Aufzeichnung umbenennen";
constexpr const wchar_t* RenamingPrompt = L"Geben Sie der Aufzeichnung einen neuen Name";
constexpr const wchar_t* DeleteQuestion = L"M\u00f6chten Sie die Aufzeichnung l\u00f6schen?";
constexpr const wchar_t* OverwriteQuestion =
    L"Eine Aufzeichnung mit diesem Name existiert bereits!\r\n\r\nM\u00f6chten Sie diese \u00fcberschreiben?";
constexpr const wchar_t* NameExistsWarning = L"Eine Aufzeichnung mit diesem Name existiert bereits!";
constexpr const wchar_t* InvalidNameWarning = L"Name der Aufzeichnung enth\u00e4lt nicht erlaubte Zeichen!";
constexpr const wchar_t* ReservedNameWarning = L"Dieser Name ist f\u00fcr die laufende Aufzeichnung reserviert!";
constexpr const wchar_t* NotSavedWarning = L"Die Aufzeichnung konnte unter diesem Namen nicht gespeichert werden!";
constexpr const wchar_t* RemoveQuestion = L"M\u00f6chten Sie die Aufzeichnung wirklich entfernen?";

// A second start whose running copy does not answer.
constexpr const wchar_t* RunningCopyNotAnsweringWarning =
    L"Das bereits laufende Tandrel antwortet nicht!\r\n\r\nDieses Tandrel wird trotzdem gestartet.";

// Recording and playback.
constexpr const wchar_t* RecordingNotStartedError = L"Aufzeichnung konnte nicht gestartet werden!";
constexpr const wchar_t* PlaybackCancelledNotice = L"Abspielen wurde vom Benutzer abgebrochen!";
constexpr const wchar_t* PlaybackFileMissingError = L"Aufnahmedatei wurde nicht gefunden!";
constexpr const wchar_t* PlaybackFailedError = L"Aufnahme konnte nicht abgespielt werden!";
constexpr const wchar_t* RecordingIncompleteWarning = L"Aufzeichnung konnte nicht vollst\u00e4ndig gespeichert werden!";

// A playback that stopped before a press whose window or control was not ready: the first line,
// then (but for the locked session) an empty line, "Programm: ", "Fensterklasse: " and, for the
// control, "Steuerelement: ", each on a line of its own, then an empty line and the last line.
constexpr const wchar_t* ControlNotReadyFirstLine = L"Das Steuerelement der Aufnahme ist nicht bereit geworden!";
constexpr const wchar_t* NotAnsweringFirstLine = L"Das Fenster der Aufnahme antwortet nicht!";
constexpr const wchar_t* HigherRightsFirstLine =
    L"Das Fenster der Aufnahme l\u00e4uft mit h\u00f6heren Rechten und nimmt keine Eingaben an!";
constexpr const wchar_t* SessionLockedFirstLine = L"Die Sitzung ist gesperrt, Eingaben kommen nicht an!";
constexpr const wchar_t* PlaybackAbortedLastLine = L"Abspielen wurde abgebrochen!";

}  // namespace expected
