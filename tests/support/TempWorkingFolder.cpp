// Per-test working folders under the temp folder; see TempWorkingFolder.h.
#include "support/TempWorkingFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::wstring gPreviousFolder;
std::wstring gWorkingFolder;
unsigned gFolderCount = 0;

void DeleteTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE listing = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(listing, &entry));
        FindClose(listing);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

void EnterFreshWorkingFolder()
{
    wchar_t buffer[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, buffer);
    gPreviousFolder = buffer;
    GetTempPathW(MAX_PATH, buffer);
    gWorkingFolder = std::wstring(buffer) + L"tandrel-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(++gFolderCount);
    DeleteTree(gWorkingFolder);
    ASSERT_TRUE(CreateDirectoryW(gWorkingFolder.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryW(gWorkingFolder.c_str()));
}

void LeaveWorkingFolder()
{
    SetCurrentDirectoryW(gPreviousFolder.c_str());
    DeleteTree(gWorkingFolder);
}

const std::wstring& WorkingFolder()
{
    return gWorkingFolder;
}
