// STUB: replaced by the user-interface work.
#include "ui/MainWindow.h"
HWND gMainWindow = nullptr;
static MainWindowCallbackProc gCallback = nullptr;
static bool gCloseRequested = false;
static LRESULT CALLBACK MainWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (gCallback) gCallback(w, m, wp, lp);
    if (m == WM_CLOSE) { gCloseRequested = true; return 0; }
    return DefWindowProcW(w, m, wp, lp);
}
HWND OpenMainWindow(bool shown) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TandrelMain";
    RegisterClassW(&wc);
    gMainWindow = CreateWindowExW(0, L"TandrelMain", L"Vorsk - Tandrel 1.4", WS_CAPTION | WS_SYSMENU,
                                  0, 0, 420, 340, nullptr, nullptr, wc.hInstance, nullptr);
    if (gMainWindow && shown) ShowWindow(gMainWindow, SW_SHOWNORMAL);
    if (gMainWindow) SetWindowPos(gMainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return gMainWindow;
}
void InstallMainWindowCallback(MainWindowCallbackProc callback) { gCallback = callback; }
void HideMainWindow() { if (gMainWindow) ShowWindow(gMainWindow, SW_HIDE); }
void ShowMainWindow() { if (gMainWindow) ShowWindow(gMainWindow, SW_SHOWNORMAL); }
void DestroyMainWindow() { if (gMainWindow) DestroyWindow(gMainWindow); gMainWindow = nullptr; }
std::wstring SelectedRecordingName() { return L""; }
void ClearRecordingsList() {}
void AppendRecordingsListEntry(const std::wstring&) {}
std::wstring RepeatCountText() { return L"0"; }
WindowEvent WaitWindowEvent() {
    MSG msg;
    while (!gCloseRequested && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return {WindowEventKind::CloseRequest, 0};
}
