// Keeping a leftover TempRecord.rec: it is renamed, never replaced or emptied.
#include "library/LeftoverRecording.h"

#include <windows.h>

#include "core/UserTexts.h"
#include "library/QueryFileSize.h"
#include "library/RecordingNames.h"
#include "library/RecordsFolder.h"

namespace {

// Enough for every leftover a user could ever gather; past it, nothing is renamed.
constexpr unsigned MaxLeftoverNumber = 9999;
// Any byte is kept: even a torn first record is the user's, and only they may throw it away.
constexpr int64_t SmallestRecording = 1;

bool NameIsFree(const std::wstring& path)
{
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::wstring LeftoverRecordingName(unsigned number)
{
    // Digits by hand: the runtime's number formatting would bring its whole printf along.
    wchar_t digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + number % 10);
        number /= 10;
    } while (number != 0);
    std::wstring name = std::wstring(LeftoverRecordingNameStem) + L" ";
    while (count > 0) name += digits[--count];
    return name;
}

bool KeepLeftoverRecording()
{
    if (QueryFileSize(TempRecordPath) < SmallestRecording) return true;
    for (unsigned number = 1; number <= MaxLeftoverNumber; ++number) {
        const std::wstring path = RecordingPath(LeftoverRecordingName(number));
        if (!NameIsFree(path)) continue;
        // MoveFileW never replaces: a file that appeared meanwhile makes it fail, and the
        // next number is tried.
        if (MoveFileW(TempRecordPath, path.c_str())) {
            // Hidden, it would still be listed; plain, it is what the user expects to find.
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            return true;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}
