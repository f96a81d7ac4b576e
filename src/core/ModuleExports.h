// Functions looked up at run time, where the system may be too old to have them or they are not
// part of its documented interface, and system modules loaded by their full path, never found
// by a search that a planted file could answer.
#pragma once
#include <windows.h>

#include <string>

// The module's export of this name as a function of this type; null when the module is null or
// has no such export. GetProcAddress hands out a generic function pointer; the detour through
// void(*)() keeps the compilers from warning about a cast between unrelated function types.
template <typename Function>
Function LookUpExport(HMODULE module, const char* name)
{
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The same from a module the process has loaded already (user32.dll, ntdll.dll, kernel32.dll).
template <typename Function>
Function LookUpLoadedExport(const wchar_t* module, const char* name)
{
    return LookUpExport<Function>(GetModuleHandleW(module), name);
}

// Loads a module of the system folder by its full path; null when it is not there.
inline HMODULE LoadSystemModule(const wchar_t* file)
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + file;
    return LoadLibraryW(path.c_str());
}
