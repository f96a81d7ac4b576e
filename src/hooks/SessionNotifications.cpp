// Session change notifications through wtsapi32.dll, loaded from the system folder at run
// time (by full path, so that no file of that name beside the program is loaded instead).
#include "hooks/SessionNotifications.h"

#include <wtsapi32.h>

#include <string>

namespace {

using RegisterFunction = BOOL(WINAPI*)(HWND window, DWORD flags);
using UnregisterFunction = BOOL(WINAPI*)(HWND window);

// wtsapi32.dll while a window is registered, or null. Written and read on the hook thread.
HMODULE gSessionModule = nullptr;

// GetProcAddress hands out a generic function pointer; the detour through void(*)() keeps
// the compilers from warning about a cast between unrelated function types.
template <typename Function>
Function LookUp(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(gSessionModule, name)));
}

HMODULE LoadSystemModule(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryW(path.c_str());
}

}  // namespace

bool StartSessionNotifications(HWND window)
{
    if (gSessionModule == nullptr) gSessionModule = LoadSystemModule(L"wtsapi32.dll");
    if (gSessionModule == nullptr) return false;
    const auto registerWindow = LookUp<RegisterFunction>("WTSRegisterSessionNotification");
    if (registerWindow != nullptr && registerWindow(window, NOTIFY_FOR_THIS_SESSION)) return true;
    FreeLibrary(gSessionModule);
    gSessionModule = nullptr;
    return false;
}

void StopSessionNotifications(HWND window)
{
    if (gSessionModule == nullptr) return;
    const auto unregisterWindow = LookUp<UnregisterFunction>("WTSUnRegisterSessionNotification");
    if (unregisterWindow != nullptr) unregisterWindow(window);
    FreeLibrary(gSessionModule);
    gSessionModule = nullptr;
}
