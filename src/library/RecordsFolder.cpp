// STUB: replaced by the library work.
#include "library/RecordsFolder.h"
#include <windows.h>
#include <string>
int64_t QueryFileSize(std::wstring_view path) {
    std::wstring p(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (p.empty() || !GetFileAttributesExW(p.c_str(), GetFileExInfoStandard, &data)) return NothingThere;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FolderThere;
    return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
void EnsureRecordsFolder() { CreateDirectoryW(RecordsFolderName, nullptr); }
void RefreshRecordingsList() {}
