// Dropping what anyone could post or send to the apartment window of a thread of ours
// (ApartmentWindowGuard.h).
#include "ui/ApartmentWindowGuard.h"

#include <windows.h>

#include <atomic>
#include <cwchar>

namespace {

constexpr wchar_t ApartmentWindowClass[] = L"OleMainThreadWndClass";

// The class's own procedure, the same for every window of the class. Written by the thread
// that guards the first such window; read by the guard on every thread with one.
std::atomic<WNDPROC> gApartmentWindowProc{nullptr};

LRESULT CALLBACK GuardedApartmentWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER && message < WM_APP) return 0;
    const WNDPROC original = gApartmentWindowProc.load();
    return original != nullptr ? CallWindowProcW(original, window, message, wParam, lParam)
                               : DefWindowProcW(window, message, wParam, lParam);
}

bool IsApartmentWindow(HWND window)
{
    wchar_t name[64] = L"";
    return GetClassNameW(window, name, 64) > 0 && std::wcscmp(name, ApartmentWindowClass) == 0;
}

void Guard(HWND window)
{
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (original == GuardedApartmentWindowProc) return;
    WNDPROC expected = nullptr;
    gApartmentWindowProc.compare_exchange_strong(expected, original);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GuardedApartmentWindowProc));
}

// Sees every window made on the thread, before the window gets its first message.
LRESULT CALLBACK WindowCreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && IsApartmentWindow(reinterpret_cast<HWND>(wParam)))
        Guard(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void GuardApartmentWindows()
{
    // Held until the thread ends, when the system removes it.
    SetWindowsHookExW(WH_CBT, WindowCreationHook, nullptr, GetCurrentThreadId());
}
