// Reading a window's identity from the system: its program's file name, its class and its
// rectangle. The hook thread reads it for each window that input goes to, the playback worker
// for the windows it waits for. Defined here, inline, because the two live in object
// libraries that tests link apart from each other.
#pragma once
#include <windows.h>

#include "core/WindowIdentity.h"

// UTF-8 of `text` into `out` (room for `room` bytes with the zero); empty when it does not fit,
// which happens the same way every time for the same name, so names still compare.
inline void WindowTextToUtf8(const wchar_t* text, char* out, int room)
{
    out[0] = '\0';
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, out, room, nullptr, nullptr);
    if (n <= 0) out[0] = '\0';
}

// The lower-case file name of the program that made the window, without its folder; empty
// when the system does not tell (a process of higher rights, one that has ended).
inline void ReadWindowProgram(HWND window, WindowIdentity& identity)
{
    identity.program[0] = '\0';
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return;
    wchar_t path[MAX_PATH + 1];
    DWORD length = MAX_PATH + 1;
    const BOOL read = QueryFullProcessImageNameW(process, 0, path, &length);
    CloseHandle(process);
    if (!read || length == 0) return;
    const wchar_t* name = path;
    for (DWORD i = 0; i < length; ++i)
        if (path[i] == L'\\' || path[i] == L'/') name = path + i + 1;
    CharLowerBuffW(const_cast<wchar_t*>(name), static_cast<DWORD>(path + length - name));
    WindowTextToUtf8(name, identity.program, static_cast<int>(WindowProgramBytes));
}

inline void ReadWindowClass(HWND window, WindowIdentity& identity)
{
    wchar_t name[257];
    if (GetClassNameW(window, name, 257) <= 0) name[0] = L'\0';
    WindowTextToUtf8(name, identity.windowClass, static_cast<int>(WindowClassBytes));
}

// The window's rectangle on the screen, in the calling thread's coordinates (physical pixels
// on the hook thread and the worker, as Move records are).
inline bool ReadWindowRectangle(HWND window, WindowIdentity& identity)
{
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    identity.left = r.left;
    identity.top = r.top;
    identity.width = r.right - r.left;
    identity.height = r.bottom - r.top;
    return true;
}
