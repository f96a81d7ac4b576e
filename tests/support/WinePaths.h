// What the hook tests share: where the built modules are.
#pragma once
#include <windows.h>

#include <algorithm>
#include <string>

// The folder of the built modules, from TANDREL_DIST_DIR (empty when it is not set). Under
// Wine, ctest passes a Unix path, which is reached through the Z: drive that maps the Unix root.
inline std::wstring HookModulesFolder()
{
    wchar_t buffer[MAX_PATH * 2];
    const DWORD length = GetEnvironmentVariableW(L"TANDREL_DIST_DIR", buffer, MAX_PATH * 2);
    std::wstring path = length > 0 && length < MAX_PATH * 2 ? std::wstring(buffer, length) : std::wstring();
    if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}
