// Session change notifications through wtsapi32.dll, loaded from the system folder at run
// time (by full path, so that no file of that name beside the program is loaded instead).
#include "core/ModuleExports.h"
#include "hooks/SessionNotifications.h"

#include <wtsapi32.h>

#include <string>

namespace {

using RegisterFunction = BOOL(WINAPI*)(HWND window, DWORD flags);
using UnregisterFunction = BOOL(WINAPI*)(HWND window);

// wtsapi32.dll while a window is registered, or null. Written and read on the hook thread.
HMODULE gSessionModule = nullptr;

}  // namespace

bool StartSessionNotifications(HWND window)
{
    if (gSessionModule == nullptr) gSessionModule = LoadSystemModule(L"wtsapi32.dll");
    if (gSessionModule == nullptr) return false;
    const auto registerWindow = LookUpExport<RegisterFunction>(gSessionModule, "WTSRegisterSessionNotification");
    if (registerWindow != nullptr && registerWindow(window, NOTIFY_FOR_THIS_SESSION)) return true;
    FreeLibrary(gSessionModule);
    gSessionModule = nullptr;
    return false;
}

void StopSessionNotifications(HWND window)
{
    if (gSessionModule == nullptr) return;
    const auto unregisterWindow = LookUpExport<UnregisterFunction>(gSessionModule, "WTSUnRegisterSessionNotification");
    if (unregisterWindow != nullptr) unregisterWindow(window);
    FreeLibrary(gSessionModule);
    gSessionModule = nullptr;
}
