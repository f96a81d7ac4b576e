// The main window: a fixed, always-on-top frame with the recordings list, the Repeat count
// field, the three buttons and the F9 labels, laid out at the DPI of the display it is on; and
// the wait that hands the event loop its button clicks and close requests.
#include "ui/MainWindow.h"

#include <commctrl.h>

#include "core/UserTexts.h"
#include "ui/DisplayScale.h"
#include "ui/DpiScaling.h"
#include "ui/RepeatCountFilter.h"
#include "ui/WindowIcons.h"
#include "ui/WindowText.h"

HWND gMainWindow = nullptr;

namespace {

constexpr const wchar_t* MainWindowClass = L"TandrelMainWindow";
// The layout's figures are for 96 DPI; the window scales them to its own DPI.
constexpr int ClientWidth = 405;
constexpr int ClientHeight = 300;
constexpr DWORD MainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD MainWindowExStyle = 0;
constexpr int GadgetCount = 10;
constexpr int ApplicationIconId = 1;

struct GadgetLayout {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    LayoutBox place;  // in the client area, at 96 DPI
};

// Indexed by gadget number, which is also the control identifier.
constexpr GadgetLayout GadgetLayouts[GadgetCount] = {
    {L"BUTTON", RecordingsFrameText, BS_GROUPBOX, 0, {5, 5, 395, 240}},
    {L"LISTBOX",
     L"",
     WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE,
     {10, 20, 385, 155}},
    {L"STATIC", RepeatLabelText, SS_LEFT, 0, {15, 185, 175, 15}},
    {L"EDIT",
     RepeatCountDefaultText,
     WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER | ES_RIGHT,
     WS_EX_CLIENTEDGE,
     {195, 182, 40, 20}},
    {L"BUTTON", PlayButtonText, BS_PUSHBUTTON | WS_TABSTOP, 0, {10, 210, 125, 30}},
    {L"BUTTON", RenameButtonText, BS_PUSHBUTTON | WS_TABSTOP, 0, {140, 210, 125, 30}},
    {L"BUTTON", RemoveButtonText, BS_PUSHBUTTON | WS_TABSTOP, 0, {270, 210, 125, 30}},
    {L"STATIC", RecordKeyLabelText, SS_LEFT, 0, {10, 255, 175, 15}},
    {L"STATIC", StopKeyLabelText, SS_LEFT, 0, {10, 275, 125, 15}},
    {L"STATIC", F9LabelText, SS_LEFT, 0, {210, 265, 110, 15}},
};

// The gadgets by number. Written by OpenMainWindow and DestroyMainWindow; read by the list and
// field operations. Main thread only.
HWND gGadgets[GadgetCount] = {};

// The DPI the window is laid out for, its gadgets' font and its icons at that DPI. Written by
// OpenMainWindow and by the window procedure when the DPI changes; the font and icons are
// destroyed by DestroyMainWindow. Main thread only.
int gMainWindowDpi = DesignDpi;
InterfaceFont gGadgetFont = {nullptr, false};
WindowIcons gMainWindowIcons = {nullptr, nullptr};

// Set by InstallMainWindowCallback at start-up; called by the window procedure. Main thread.
MainWindowCallbackProc gCallback = nullptr;

// The child that had the focus when the window was last deactivated; it gets it back on
// activation. Written and read by the window procedure.
HWND gFocusBeforeDeactivation = nullptr;

// Events that the window procedure produced and WaitWindowEvent has not handed out yet.
// Clicks and close requests can arrive while a dialog's own message loop runs; they wait here
// until the event loop asks. Main thread only.
constexpr int PendingCapacity = 16;
WindowEvent gPending[PendingCapacity];
int gPendingFirst = 0;
int gPendingCount = 0;

void PushEvent(WindowEvent event)
{
    if (gPendingCount == PendingCapacity) return;  // nobody clicks sixteen times unanswered
    gPending[(gPendingFirst + gPendingCount) % PendingCapacity] = event;
    ++gPendingCount;
}

bool PopEvent(WindowEvent& event)
{
    if (gPendingCount == 0) return false;
    event = gPending[gPendingFirst];
    gPendingFirst = (gPendingFirst + 1) % PendingCapacity;
    --gPendingCount;
    return true;
}

bool IsMainButton(int id)
{
    return id == PlayButton || id == RenameButton || id == RemoveButton;
}

LRESULT OnCommand(WPARAM wParam)
{
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && IsMainButton(id)) PushEvent({WindowEventKind::Gadget, id});
    return 0;
}

// The close box, the system menu and Alt+F4 ask to close; the event loop decides.
LRESULT OnClose()
{
    PushEvent({WindowEventKind::CloseRequest, 0});
    return 0;
}

// Like a dialog, the window keeps the focus on one of its gadgets across deactivation.
LRESULT OnActivate(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) gFocusBeforeDeactivation = focus;
        return 0;
    }
    if (HIWORD(wParam) != 0) return DefWindowProcW(window, WM_ACTIVATE, wParam, lParam);  // minimised
    HWND target = gFocusBeforeDeactivation;
    if (target == nullptr || !IsChild(window, target)) target = GetNextDlgTabItem(window, nullptr, FALSE);
    SetFocus(target != nullptr ? target : window);
    return 0;
}

// The frame of the window at the DPI, centred on the primary display.
RECT CentredFrame(int dpi)
{
    const SIZE extent = FrameExtentForDpi(MainWindowStyle, MainWindowExStyle, dpi);
    const int width = ScaleToDpi(ClientWidth, dpi) + extent.cx;
    const int height = ScaleToDpi(ClientHeight, dpi) + extent.cy;
    const int x = width < GetSystemMetrics(SM_CXSCREEN) ? (GetSystemMetrics(SM_CXSCREEN) - width) / 2 : 0;
    const int y = height < GetSystemMetrics(SM_CYSCREEN) ? (GetSystemMetrics(SM_CYSCREEN) - height) / 2 : 0;
    return {x, y, x + width, y + height};
}

// Places every gadget and gives it the font for the DPI; the font and icons of the DPI before
// go once nothing shows them.
void LayOutForDpi(int dpi)
{
    InterfaceFont oldFont = gGadgetFont;
    gGadgetFont = CreateInterfaceFont(dpi);
    for (int number = 0; number < GadgetCount; ++number) {
        const LayoutBox box = ScaleBoxToDpi(GadgetLayouts[number].place, dpi);
        SetWindowPos(gGadgets[number], nullptr, box.x, box.y, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(gGadgets[number], WM_SETFONT, reinterpret_cast<WPARAM>(gGadgetFont.handle), TRUE);
    }
    DestroyInterfaceFont(oldFont);
    SetWindowIconsForDpi(gMainWindow, dpi, gMainWindowIcons);
    gMainWindowDpi = dpi;
}

// The window was moved to a display of another scale, or the scale changed: the system
// suggests the frame at the new DPI (lParam), and the gadgets follow.
LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutForDpi(LOWORD(wParam));
    return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (gCallback != nullptr) gCallback(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND: return OnCommand(wParam);
    case WM_CLOSE: return OnClose();
    case WM_ACTIVATE: return OnActivate(window, wParam, lParam);
    case WM_DPICHANGED: return OnDpiChanged(window, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ApplicationIconId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    wc.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ApplicationIconId), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = MainWindowClass;
    RegisterClassExW(&wc);  // fails harmlessly when a window was opened before
}

void CreateGadget(int number, HINSTANCE instance)
{
    const GadgetLayout& g = GadgetLayouts[number];
    const LayoutBox box = ScaleBoxToDpi(g.place, gMainWindowDpi);
    gGadgets[number] = CreateWindowExW(g.exStyle, g.className, g.text, WS_CHILD | WS_VISIBLE | g.style, box.x, box.y,
                                       box.width, box.height, gMainWindow,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)), instance, nullptr);
    SendMessageW(gGadgets[number], WM_SETFONT, reinterpret_cast<WPARAM>(gGadgetFont.handle), FALSE);
}

}  // namespace

HWND OpenMainWindow(bool shown)
{
    // The manifest asks for the styled common controls; make sure their library is loaded.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterMainWindowClass(instance);

    // The window opens on the primary display, whose DPI is most likely the system DPI; once
    // it exists, it knows its own.
    const int expectedDpi = SystemDpi();
    RECT frame = CentredFrame(expectedDpi);
    gPendingFirst = gPendingCount = 0;
    gFocusBeforeDeactivation = nullptr;
    gMainWindow =
        CreateWindowExW(MainWindowExStyle, MainWindowClass, MainWindowTitle, MainWindowStyle, frame.left, frame.top,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (gMainWindow == nullptr) return nullptr;
    gMainWindowDpi = WindowDpi(gMainWindow);
    if (gMainWindowDpi != expectedDpi) {
        frame = CentredFrame(gMainWindowDpi);
        SetWindowPos(gMainWindow, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    gGadgetFont = CreateInterfaceFont(gMainWindowDpi);
    for (int number = RecordingsFrame; number <= RepeatCountField; ++number) CreateGadget(number, instance);
    PlaceRepeatCountFilter(gGadgets[RepeatCountField]);
    for (int number = PlayButton; number <= F9Label; ++number) CreateGadget(number, instance);
    SetWindowIconsForDpi(gMainWindow, gMainWindowDpi, gMainWindowIcons);

    if (shown) ShowWindow(gMainWindow, SW_SHOWNORMAL);
    // Without SWP_NOACTIVATE the hidden window of an unattended playback would take the focus
    // from the application the recording is played into.
    SetWindowPos(gMainWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return gMainWindow;
}

void InstallMainWindowCallback(MainWindowCallbackProc callback)
{
    gCallback = callback;
}

void HideMainWindow()
{
    if (gMainWindow != nullptr) ShowWindow(gMainWindow, SW_HIDE);
}

void ShowMainWindow()
{
    if (gMainWindow == nullptr) return;
    if (IsIconic(gMainWindow)) {
        ShowWindow(gMainWindow, SW_SHOWMINIMIZED);
        return;
    }
    ShowWindow(gMainWindow, IsZoomed(gMainWindow) ? SW_MAXIMIZE : SW_SHOWNORMAL);
    SetForegroundWindow(gMainWindow);
}

void ShowMainWindowInBackground()
{
    // SW_SHOWNA keeps the form the window had when it was hidden.
    if (gMainWindow != nullptr) ShowWindow(gMainWindow, SW_SHOWNA);
}

void DestroyMainWindow()
{
    if (gMainWindow != nullptr) DestroyWindow(gMainWindow);
    gMainWindow = nullptr;
    for (HWND& gadget : gGadgets) gadget = nullptr;
    // With the window gone, nothing shows its font and icons any more.
    DestroyInterfaceFont(gGadgetFont);
    DestroyWindowIcons(gMainWindowIcons);
}

std::wstring SelectedRecordingName()
{
    const HWND list = gGadgets[RecordingsList];
    if (list == nullptr) return L"";
    const LRESULT selected = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR) return L"";
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(selected), 0);
    if (length == LB_ERR) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

void ClearRecordingsList()
{
    if (gGadgets[RecordingsList] != nullptr) SendMessageW(gGadgets[RecordingsList], LB_RESETCONTENT, 0, 0);
}

void AppendRecordingsListEntry(const std::wstring& text)
{
    if (gGadgets[RecordingsList] != nullptr)
        SendMessageW(gGadgets[RecordingsList], LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring RepeatCountText()
{
    return gGadgets[RepeatCountField] != nullptr ? WindowText(gGadgets[RepeatCountField]) : L"";
}

WindowEvent WaitWindowEvent()
{
    for (;;) {
        WindowEvent event;
        if (PopEvent(event)) return event;
        MSG msg;
        // The program posts no WM_QUIT, and any program can post one to this thread by its id:
        // it is ignored, so that only a close request to the window (or the session's end)
        // ends the program. A failed wait cannot go on.
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) continue;
        if (got < 0) return {WindowEventKind::CloseRequest, 0};
        // The dialog manager moves the focus with Tab and Shift+Tab among the gadgets.
        if (gMainWindow != nullptr && IsDialogMessageW(gMainWindow, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
