// Reading a control's identity from the system: its class, its control identifier, its place
// among the siblings of its class, its rectangle relative to its top-level window and that
// window's DPI. The hook thread reads it for the control of each press; the playback worker can
// find a control again by the same rules. Inline, as WindowIdentityRead.h, because the two live
// in object libraries that tests link apart from each other.
#pragma once
#include <windows.h>

#include "core/ControlIdentity.h"
#include "core/ModuleExports.h"
#include "core/WindowIdentityRead.h"

// The most siblings looked at for a control's place. The hook procedures run on the hook thread,
// so while it counts, the whole desktop's input waits: under Wine each sibling's class costs some
// 15 microseconds, so this many cost at most about 5 ms (on Windows a fraction of that).
constexpr int32_t MaxSiblingsCounted = 300;

// The scale of the window's pixels on the screen, as a DPI: that of the monitor it stands on
// (GetDpiForMonitor, effective DPI; Windows 8.1 and later, in shcore.dll, so looked up at run
// time). GetDpiForWindow would tell the DPI the window's program draws for, which is 96 for a
// program that knows nothing of scaling and the start's system DPI for one that knows only that:
// the system stretches such a window to the monitor's scale, so its controls lie that much
// further apart in the screen's pixels all the same. Else GetDpiForWindow, else the screen's; 0
// when nothing tells. Read only when a control changed or is looked for.
inline int32_t ReadWindowDpi(HWND window)
{
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    // Loaded once by its full path; later reads find it loaded. (No function-local static: its
    // thread-safe start would cost the program some 70 KB of runtime.)
    HMODULE shcore = GetModuleHandleW(L"shcore.dll");
    if (shcore == nullptr) shcore = LoadSystemModule(L"shcore.dll");
    const auto getDpiForMonitor = LookUpExport<GetDpiForMonitorFunction>(shcore, "GetDpiForMonitor");
    const HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    UINT dpiX = 0;
    UINT dpiY = 0;
    constexpr int EffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
    if (getDpiForMonitor != nullptr && monitor != nullptr &&
        SUCCEEDED(getDpiForMonitor(monitor, EffectiveDpi, &dpiX, &dpiY)) && dpiX != 0)
        return static_cast<int32_t>(dpiX);
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    const auto getDpiForWindow = LookUpLoadedExport<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return static_cast<int32_t>(dpi);
    }
    const HDC screen = GetDC(nullptr);
    if (screen == nullptr) return 0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 0;
}

// Whether two windows have the same class name (the names as GetClassNameW gives them).
inline bool SameClassName(HWND window, const wchar_t* name)
{
    wchar_t other[257];
    if (GetClassNameW(window, other, 257) <= 0) return false;
    return lstrcmpW(other, name) == 0;
}

// How many siblings of the control's class (`name`) come before it under its parent, in the
// order GW_CHILD and GW_HWNDNEXT give (the Z order, which for a dialog is its template's order).
inline int32_t ReadControlPlace(HWND control, const wchar_t* name)
{
    const HWND parent = GetAncestor(control, GA_PARENT);
    int32_t place = 0;
    int32_t looked = 0;
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling != nullptr && sibling != control;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (++looked > MaxSiblingsCounted) return PlaceNotCounted;
        if (SameClassName(sibling, name)) ++place;
    }
    return place;
}

// The control's rectangle relative to the top left of `windowRectangle` (its top-level window's,
// read by the caller in the same coordinates); false when the control is gone.
inline bool ReadControlRectangle(HWND control, const WindowIdentity& windowRectangle, ControlIdentity& identity)
{
    RECT r;
    if (!GetWindowRect(control, &r)) return false;
    identity.left = r.left - windowRectangle.left;
    identity.top = r.top - windowRectangle.top;
    identity.width = r.right - r.left;
    identity.height = r.bottom - r.top;
    return true;
}

// The rest of the identity, once the rectangle is read: class, identifier, place, DPI.
inline void ReadControlNames(HWND control, HWND window, ControlIdentity& identity)
{
    wchar_t name[257];
    if (GetClassNameW(control, name, 257) <= 0) name[0] = L'\0';
    WindowTextToUtf8(name, identity.controlClass, static_cast<int>(WindowClassBytes));
    identity.id = static_cast<int32_t>(GetWindowLongPtrW(control, GWLP_ID));
    identity.place = ReadControlPlace(control, name);
    identity.dpi = ReadWindowDpi(window);
}
