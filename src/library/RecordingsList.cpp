// Fills the recordings list of the main window from Records\*.rec.
#include "library/RecordingsList.h"

#include <windows.h>

#include <string>

#include "ui/MainWindow.h"

namespace {

bool HasRecordingExtension(const std::wstring& fileName)
{
    if (fileName.size() < 4) return false;
    return CompareStringOrdinal(fileName.c_str() + fileName.size() - 4, 4, L".rec", 4, TRUE) == CSTR_EQUAL;
}

}  // namespace

void RefreshRecordingsList()
{
    ClearRecordingsList();
    WIN32_FIND_DATAW entry;
    HANDLE listing = FindFirstFileW(L"Records\\*.rec", &entry);
    if (listing == INVALID_HANDLE_VALUE) return;  // no folder: the list stays empty
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::wstring fileName = entry.cFileName;
        // The pattern also matches by the short 8.3 name, so "x.record" would come through as
        // X~1.REC; its name less ".rec" would name no file.
        if (!HasRecordingExtension(fileName)) continue;
        AppendRecordingsListEntry(fileName.substr(0, fileName.size() - 4));
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
}
