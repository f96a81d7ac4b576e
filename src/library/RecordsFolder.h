// The Records folder in the working directory, the file-existence query and the list.
#pragma once
#include <cstdint>
#include <string_view>

constexpr const wchar_t* RecordsFolderName = L"Records";
constexpr const wchar_t* TempRecordPath = L"Records\\TempRecord.rec";

constexpr int64_t NothingThere = -1;
constexpr int64_t FolderThere = -2;
// -1 nothing (or an empty path), -2 a folder, else the file's size. Trailing backslashes are
// ignored; a drive root counts as a folder.
int64_t QueryFileSize(std::wstring_view path);
// Creates the Records folder unless it is there; failures are silent.
void EnsureRecordsFolder();
// Empties the recordings list of the main window and fills it from Records\*.rec.
void RefreshRecordingsList();
