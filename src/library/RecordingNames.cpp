// Recording names: the file of a name, and which names a recording may have.
#include "library/RecordingNames.h"

namespace {

constexpr std::wstring_view ReservedName = L"TempRecord";

// Characters that a file name may not hold, besides the control characters.
constexpr std::wstring_view ForbiddenCharacters = L"\"*/:<>?\\|";

wchar_t AsciiLower(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

}  // namespace

std::wstring RecordingPath(std::wstring_view name)
{
    std::wstring path = L"Records\\";
    path += name;
    path += L".rec";
    return path;
}

bool IsValidRecordingName(std::wstring_view name)
{
    if (name.empty()) return false;
    for (wchar_t c : name) {
        if (c < 0x20 || ForbiddenCharacters.find(c) != std::wstring_view::npos) return false;
    }
    return true;
}

bool IsReservedRecordingName(std::wstring_view name)
{
    // The file system ignores letter case, so every spelling names the same file. The
    // reserved name is plain ASCII, and no other character folds onto its letters.
    if (name.size() != ReservedName.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (AsciiLower(name[i]) != AsciiLower(ReservedName[i])) return false;
    }
    return true;
}
