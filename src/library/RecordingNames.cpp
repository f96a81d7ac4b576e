// Recording names: the file of a name, and which names a recording may have.
#include "library/RecordingNames.h"

namespace {

constexpr std::wstring_view ReservedName = L"TempRecord";

// Characters that a file name may not hold, besides the control characters.
constexpr std::wstring_view ForbiddenCharacters = L"\"*/:<>?\\|";

// The names of devices. The file system opens the device instead of a file for them, with
// any extension after them ("CON.rec" too) and with spaces before the extension ("CON .rec").
constexpr std::wstring_view DeviceNames[] = {L"con", L"prn", L"aux", L"nul", L"conin$", L"conout$"};
// These followed by one digit; the platform counts the superscript digits 1, 2 and 3 as digits
// there.
constexpr std::wstring_view NumberedDeviceNames[] = {L"com", L"lpt"};
constexpr std::wstring_view DeviceDigits = L"0123456789\u00B9\u00B2\u00B3";

wchar_t AsciiLower(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualsIgnoringAsciiCase(std::wstring_view text, std::wstring_view lower)
{
    if (text.size() != lower.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (AsciiLower(text[i]) != lower[i]) return false;
    }
    return true;
}

// The part of a file name that the platform compares with the device names: up to the first
// dot, without the spaces at its end.
std::wstring_view DevicePart(std::wstring_view name)
{
    std::wstring_view part = name.substr(0, name.find(L'.'));
    while (!part.empty() && part.back() == L' ') part.remove_suffix(1);
    return part;
}

}  // namespace

bool IsDeviceName(std::wstring_view name)
{
    const std::wstring_view part = DevicePart(name);
    for (std::wstring_view device : DeviceNames) {
        if (EqualsIgnoringAsciiCase(part, device)) return true;
    }
    if (part.size() != 4 || DeviceDigits.find(part[3]) == std::wstring_view::npos) return false;
    for (std::wstring_view device : NumberedDeviceNames) {
        if (EqualsIgnoringAsciiCase(part.substr(0, 3), device)) return true;
    }
    return false;
}

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
    return !IsDeviceName(name);
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
