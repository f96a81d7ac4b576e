// The Records folder in the working directory, and the file of the recording in progress.
#pragma once

constexpr const wchar_t* RecordsFolderName = L"Records";
constexpr const wchar_t* TempRecordPath = L"Records\\TempRecord.rec";

// Creates the Records folder unless it is there; failures are silent.
void EnsureRecordsFolder();
