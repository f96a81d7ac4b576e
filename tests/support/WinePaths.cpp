// Unix paths from the environment as Wine shows them; see WinePaths.h.
#include "support/WinePaths.h"

#include <windows.h>

#include <algorithm>

std::wstring WinePathFromEnvironment(const wchar_t* variable, const wchar_t* rest)
{
    const DWORD size = GetEnvironmentVariableW(variable, nullptr, 0);
    if (size == 0) return L"";
    std::wstring path(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(variable, path.data(), size);
    if (length == 0 || length >= size) return L"";
    path.resize(length);
    if (path[0] == L'/') path = L"Z:" + path;
    path += rest;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring DistFolder()
{
    return WinePathFromEnvironment(L"TANDREL_DIST_DIR");
}

std::wstring DistPath(const wchar_t* file)
{
    const std::wstring folder = DistFolder();
    return folder.empty() ? folder : folder + L"\\" + file;
}
