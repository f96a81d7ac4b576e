// Helpers of the user-interface tests under Wine: pumping messages until a condition holds,
// and answering a modal dialog from a timer that fires inside its own message loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/MainWindow.h"

namespace uitest {

// Dispatches this thread's messages until done() holds or the deadline passes.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000)
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

inline std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The class name without the version prefix that styled controls may carry ("6.0...!Button").
inline std::wstring BaseClassName(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    std::wstring s = name;
    const size_t bang = s.rfind(L'!');
    return bang == std::wstring::npos ? s : s.substr(bang + 1);
}

// Makes a window of this thread the foreground window and waits until the system agrees.
inline bool BringToForeground(HWND window)
{
    SetForegroundWindow(window);
    return PumpUntil([window] { return GetForegroundWindow() == window; });
}

// A top-level window of this thread's own, to stand for "some other window".
inline HWND OpenPlainWindow(const wchar_t* title, int x)
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

inline bool IsTopmost(HWND window)
{
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Steps that run one per timer tick (100 ms apart) while a modal loop of this thread runs, so
// that what one step posts is handled before the next. The first step waits until find()
// returns a window; every step gets that window. If nothing appears within 10 s, the test fails
// and whatever dialog is open is shut, so the test cannot hang.
struct DialogScript {
    std::function<HWND()> find;
    std::vector<std::function<void(HWND)>> steps;
    size_t next = 0;
    DWORD start = 0;
    UINT_PTR timer = 0;
    bool finished = false;
};

inline DialogScript*& CurrentScript()
{
    static DialogScript* script = nullptr;
    return script;
}

inline BOOL CALLBACK ShutOwnDialog(HWND window, LPARAM)
{
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"InputRequester") PostMessageW(window, WM_CLOSE, 0, 0);
    if (std::wstring(name) == L"#32770") {
        for (int answer : {IDOK, IDNO, IDCANCEL}) PostMessageW(window, WM_COMMAND, answer, 0);
    }
    return TRUE;
}

inline void CALLBACK RunScriptStep(HWND, UINT, UINT_PTR, DWORD)
{
    DialogScript* s = CurrentScript();
    // A step that opens a nested dialog lets ticks arrive while it has not returned yet.
    if (s == nullptr || s->finished || s->next >= s->steps.size()) return;
    const HWND window = s->find();
    if (window == nullptr) {
        if (s->next == 0 && GetTickCount() - s->start < 10000) return;
        ADD_FAILURE() << "the dialog did not appear (or vanished before step " << s->next << ")";
        s->finished = true;
        KillTimer(nullptr, s->timer);
        EnumWindows(ShutOwnDialog, 0);
        return;
    }
    s->steps[s->next++](window);
    if (s->next == s->steps.size()) {
        s->finished = true;
        KillTimer(nullptr, s->timer);
    }
}

// Arms the script; the caller then opens the dialog, whose loop runs the steps.
inline void RunWhenOpen(DialogScript& script)
{
    script.next = 0;
    script.finished = false;
    script.start = GetTickCount();
    CurrentScript() = &script;
    script.timer = SetTimer(nullptr, 0, 100, RunScriptStep);
}

struct WindowSearch {
    const wchar_t* className;
    const wchar_t* title;
    HWND found;
};

inline BOOL CALLBACK MatchOwnWindow(HWND w, LPARAM p)
{
    auto& s = *reinterpret_cast<WindowSearch*>(p);
    if (GetWindowThreadProcessId(w, nullptr) != GetCurrentThreadId() || !IsWindowVisible(w)) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (std::wstring(name) != s.className) return TRUE;
    if (s.title != nullptr && TextOf(w) != s.title) return TRUE;
    s.found = w;
    return FALSE;
}

// Finds a visible top-level window of this thread by class name (and title, if given).
inline HWND FindOwnWindow(const wchar_t* className, const wchar_t* title = nullptr)
{
    WindowSearch search{className, title, nullptr};
    EnumWindows(MatchOwnWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A Unix path from the environment as Wine's Z: drive sees it.
inline std::wstring WinePathFromEnvironment(const wchar_t* variable, const wchar_t* rest)
{
    wchar_t value[1024] = {};
    if (GetEnvironmentVariableW(variable, value, 1024) == 0) return L"";
    std::wstring path = value;
    if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
    path += rest;
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

// Each test starts with the main window shown and in the foreground, and leaves nothing behind:
// whatever a test left unanswered must not leak into the next one.
class ShownMainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(OpenMainWindow(true), nullptr);
        ASSERT_TRUE(BringToForeground(gMainWindow));
    }
    void TearDown() override
    {
        InstallMainWindowCallback(nullptr);
        DestroyMainWindow();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
};

}  // namespace uitest
