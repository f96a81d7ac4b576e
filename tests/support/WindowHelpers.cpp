// Window helpers of the Win32 tests; see WindowHelpers.h.
#include "support/WindowHelpers.h"

#include <algorithm>

namespace {

constexpr UINT AnswerTimeoutMs = 5000;

BOOL CALLBACK CollectChildText(HWND child, LPARAM texts)
{
    reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(TextOf(child));
    return TRUE;
}

struct WindowSearch {
    const wchar_t* className;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchOwnWindow(HWND window, LPARAM search)
{
    auto& s = *reinterpret_cast<WindowSearch*>(search);
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() || !IsWindowVisible(window)) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != s.className) return TRUE;
    if (s.title != nullptr && TextOf(window) != s.title) return TRUE;
    s.found = window;
    return FALSE;
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    return true;
}

std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, AnswerTimeoutMs, &length)) return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_BLOCK,
                             AnswerTimeoutMs, &copied)) {
        return L"";
    }
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::vector<std::wstring> ChildTexts(HWND window)
{
    std::vector<std::wstring> texts;
    EnumChildWindows(window, CollectChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::wstring BaseClassName(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    const std::wstring s = name;
    const size_t bang = s.rfind(L'!');
    return bang == std::wstring::npos ? s : s.substr(bang + 1);
}

HWND FindOwnWindow(const wchar_t* className, const wchar_t* title)
{
    WindowSearch search{className, title, nullptr};
    EnumWindows(MatchOwnWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool BringToForeground(HWND window)
{
    SetForegroundWindow(window);
    return PumpUntil([window] { return GetForegroundWindow() == window; });
}

HWND OpenPlainWindow(const wchar_t* title, int x)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"UiTestPlainWindow";
        RegisterClassW(&wc);
        registered = true;
    }
    const HWND window = CreateWindowExW(0, L"UiTestPlainWindow", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 50, 200,
                                        120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    PumpUntil([window] { return IsWindowVisible(window) != FALSE; });
    return window;
}

bool IsTopmost(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

HWND OpenMessageWindow(const wchar_t* className, WNDPROC procedure)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassW(&windowClass);  // fails harmlessly when an earlier call registered it
    return CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
}
