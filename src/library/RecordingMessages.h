// Texts of the questions and warnings of the naming, renaming and removing of recordings.
#pragma once

constexpr const wchar_t* NamingTitle = L"Aufzeichnung benennen";
constexpr const wchar_t* NamingPrompt = L"Geben Sie der Aufzeichnung ein Name";
constexpr const wchar_t* RenamingTitle = L"Aufzeichnung umbenennen";
constexpr const wchar_t* RenamingPrompt = L"Geben Sie der Aufzeichnung einen neuen Name";

constexpr const wchar_t* DeleteQuestion = L"Möchten Sie die Aufzeichnung löschen?";
constexpr const wchar_t* OverwriteQuestion =
    L"Eine Aufzeichnung mit diesem Name existiert bereits!\r\n\r\nMöchten Sie diese überschreiben?";
constexpr const wchar_t* InvalidNameWarning = L"Name der Aufzeichnung enthält nicht erlaubte Zeichen!";
constexpr const wchar_t* NameExistsWarning = L"Eine Aufzeichnung mit diesem Name existiert bereits!";
constexpr const wchar_t* RemoveQuestion = L"Möchten Sie die Aufzeichnung wirklich entfernen?";
// TempRecord is the file of the recording in progress: a recording of that name would be
// emptied by the next start of a recording.
constexpr const wchar_t* ReservedNameWarning = L"Dieser Name ist für die laufende Aufzeichnung reserviert!";
// The file system refused the name (too long for it, for instance): the recording would
// otherwise stay in TempRecord.rec and be emptied by the next start of a recording.
constexpr const wchar_t* NotSavedWarning = L"Die Aufzeichnung konnte unter diesem Namen nicht gespeichert werden!";
