// InputDialog (see InputDialog.h): a modal window of its own class, with its own message loop.
#include <string>

#include "ui/InputDialog.h"
#include "core/UserTexts.h"
#include "ui/DisplayScale.h"
#include "ui/DpiScaling.h"
#include "ui/ModalGuard.h"
#include "ui/WindowIcons.h"
#include "ui/WindowText.h"

namespace {

constexpr const wchar_t* InputDialogClass = L"InputRequester";
constexpr DWORD DialogStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
constexpr DWORD DialogExStyle = 0;
// The outer size at 96 DPI; its client part scales with the DPI.
constexpr LayoutSize DialogSize = {300, 130};
constexpr int PromptId = 0;
constexpr int EntryFieldId = 10;
constexpr WORD OkCommand = 1000;
constexpr WORD CancelCommand = 1001;
constexpr int ApplicationIconId = 1;

struct ChildLayout {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    LayoutBox place;  // in the client area, at 96 DPI
    int id;
};

enum Child : int {
    Prompt = 0,
    EntryField = 1,
    OkButton = 2,
    ChildCount = 3
};

constexpr ChildLayout ChildLayouts[ChildCount] = {
    {L"STATIC", SS_LEFTNOWORDWRAP, 0, {10, 10, 280, 22}, PromptId},
    {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, {10, 32, 275, 21}, EntryFieldId},
    {L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, {110, 67, 80, 25}, OkCommand},
};

// One open input dialog, attached to its window as user data. Kept per dialog rather than in
// program-wide variables, so that a dialog opened from a window callback while another one
// waits cannot end or re-enable the other's windows.
struct InputDialogState {
    HWND owner;
    bool ownerDisabled;
    bool closed;  // being given back: owner enabled, window destroyed, guard ended
    bool done;    // the window is gone; the loop ends
    HWND children[ChildCount];
    bool hasResult;
    std::wstring result;
    // The child that had the focus when the dialog was last deactivated; null before.
    HWND focus;
    // The children's font and the dialog's icons at its DPI; replaced when the DPI changes,
    // destroyed by InputDialog once the window is gone.
    InterfaceFont font;
    WindowIcons icons;
};

InputDialogState* StateOf(HWND dialog)
{
    return reinterpret_cast<InputDialogState*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

// The owner is enabled before the dialog goes, so that the system activates it next. The guard
// ends after: a window is not put back on top while a window it owns still stands in front.
void CloseInputDialog(HWND dialog, InputDialogState& state)
{
    if (state.closed) return;
    state.closed = true;
    if (state.ownerDisabled) EnableWindow(state.owner, TRUE);
    state.ownerDisabled = false;
    DestroyWindow(dialog);
    EndModal();
}

LRESULT OnInputCommand(HWND dialog, WPARAM wParam)
{
    InputDialogState* state = StateOf(dialog);
    if (state == nullptr) return 0;
    switch (LOWORD(wParam)) {
    case OkCommand: {
        state->result = WindowText(state->children[EntryField]);
        state->hasResult = true;
        CloseInputDialog(dialog, *state);
        return 0;
    }
    case CancelCommand: CloseInputDialog(dialog, *state); return 0;
    }
    return 0;  // the entry field's notifications
}

LRESULT OnInputClose(HWND dialog)
{
    if (InputDialogState* state = StateOf(dialog)) CloseInputDialog(dialog, *state);
    return 0;
}

LRESULT OnInputDestroy(HWND dialog)
{
    InputDialogState* state = StateOf(dialog);
    if (state == nullptr) return 0;
    if (!state->closed) {  // destroyed along with its owner, say: give everything back
        state->closed = true;
        if (state->ownerDisabled) EnableWindow(state->owner, TRUE);
        state->ownerDisabled = false;
        EndModal();
    }
    state->done = true;
    return 0;
}

// Places the children and gives them the font for the DPI; the font and icons of the DPI
// before go once nothing shows them.
void LayOutInputDialog(HWND dialog, InputDialogState& state, int dpi)
{
    InterfaceFont oldFont = state.font;
    state.font = CreateInterfaceFont(dpi);
    for (int child = 0; child < ChildCount; ++child) {
        const LayoutBox box = ScaleBoxToDpi(ChildLayouts[child].place, dpi);
        SetWindowPos(state.children[child], nullptr, box.x, box.y, box.width, box.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(state.children[child], WM_SETFONT, reinterpret_cast<WPARAM>(state.font.handle), TRUE);
    }
    DestroyInterfaceFont(oldFont);
    SetWindowIconsForDpi(dialog, dpi, state.icons);
}

// Moved to a display of another scale, or the scale changed: the frame the system suggests
// (lParam), and the children laid out again.
LRESULT OnInputDpiChanged(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(dialog, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InputDialogState* state = StateOf(dialog);
    if (state != nullptr && !state->closed) LayOutInputDialog(dialog, *state, LOWORD(wParam));
    return 0;
}

// Deactivated: the focused child is kept. Activated: it gets the focus back (the entry field
// when none was kept); the default handling would give it to the dialog window itself, where
// typing goes nowhere.
LRESULT OnInputActivate(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    InputDialogState* state = StateOf(dialog);
    if (state == nullptr || state->closed) return DefWindowProcW(dialog, WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(dialog, focus)) state->focus = focus;
        return 0;
    }
    const HWND focus = state->focus != nullptr && IsWindow(state->focus) ? state->focus : state->children[EntryField];
    SetFocus(focus);
    return 0;
}

LRESULT CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE: return OnInputActivate(dialog, wParam, lParam);
    case WM_COMMAND: return OnInputCommand(dialog, wParam);
    case WM_CLOSE: return OnInputClose(dialog);
    case WM_DESTROY: return OnInputDestroy(dialog);
    case WM_DPICHANGED: return OnInputDpiChanged(dialog, wParam, lParam);
    }
    return DefWindowProcW(dialog, message, wParam, lParam);
}

void RegisterInputDialogClass(HINSTANCE instance)
{
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = InputDialogProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(ApplicationIconId));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = InputDialogClass;
    RegisterClassW(&wc);  // still registered by a dialog that is open: that class serves
}

// The dialog's frame at the DPI, centred on the primary display.
RECT CentredDialogFrame(int dpi)
{
    const SIZE designFrame = FrameExtentForDpi(DialogStyle, DialogExStyle, DesignDpi);
    const SIZE frame = FrameExtentForDpi(DialogStyle, DialogExStyle, dpi);
    const LayoutSize size =
        ScaleOuterSizeToDpi(DialogSize, {designFrame.cx, designFrame.cy}, {frame.cx, frame.cy}, dpi);
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2 - size.width / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2 - size.height / 2;
    return {x, y, x + size.width, y + size.height};
}

void FillInputDialog(HWND dialog, InputDialogState& state, const std::wstring& prompt, const std::wstring& defaultText,
                     HINSTANCE instance, int dpi)
{
    state.font = CreateInterfaceFont(dpi);
    const wchar_t* texts[ChildCount] = {prompt.c_str(), L"", OkButtonText};
    for (int child = 0; child < ChildCount; ++child) {
        const ChildLayout& c = ChildLayouts[child];
        const LayoutBox box = ScaleBoxToDpi(c.place, dpi);
        state.children[child] = CreateWindowExW(c.exStyle, c.className, texts[child], WS_CHILD | WS_VISIBLE | c.style,
                                                box.x, box.y, box.width, box.height, dialog,
                                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        SendMessageW(state.children[child], WM_SETFONT, reinterpret_cast<WPARAM>(state.font.handle), TRUE);
    }
    SetWindowIconsForDpi(dialog, dpi, state.icons);
    const HWND edit = state.children[EntryField];
    SetFocus(edit);
    if (!defaultText.empty()) {
        // Typing then adds to the default text instead of replacing it.
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(defaultText.c_str()));
        const auto end = static_cast<WPARAM>(defaultText.size());
        SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
}

// Runs the thread's messages until the dialog is gone. A WM_QUIT, which the program never
// posts and any program can post to this thread by its id, is ignored; a failed wait gives
// everything back.
void RunInputDialog(HWND dialog, InputDialogState& state, HACCEL keys)
{
    while (!state.done) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) continue;
        if (got < 0) {
            CloseInputDialog(dialog, state);
            return;
        }
        if (TranslateAcceleratorW(dialog, keys, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

std::wstring InputDialog(const wchar_t* title, const wchar_t* prompt, const wchar_t* defaultText)
{
    const bool hasTitle = title != nullptr;
    const std::wstring titleCopy = hasTitle ? title : L"";
    const std::wstring promptCopy = prompt != nullptr ? prompt : L"";
    const std::wstring defaultCopy = defaultText != nullptr ? defaultText : L"";
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterInputDialogClass(instance);

    InputDialogState state{};
    BeginModal();
    state.owner = DialogOwner();
    if (state.owner != nullptr && IsWindowEnabled(state.owner)) {
        EnableWindow(state.owner, FALSE);
        state.ownerDisabled = true;
    }
    // Made on the primary display, whose DPI is most likely the system DPI; once it exists, the
    // dialog knows its own.
    const int expectedDpi = SystemDpi();
    RECT frame = CentredDialogFrame(expectedDpi);
    const HWND dialog = CreateWindowExW(DialogExStyle, InputDialogClass, hasTitle ? titleCopy.c_str() : nullptr,
                                        DialogStyle, frame.left, frame.top, frame.right - frame.left,
                                        frame.bottom - frame.top, state.owner, nullptr, instance, nullptr);
    if (dialog == nullptr) {
        if (state.ownerDisabled) EnableWindow(state.owner, TRUE);
        EndModal();
        UnregisterClassW(InputDialogClass, instance);
        return L"";
    }
    const int dpi = WindowDpi(dialog);
    if (dpi != expectedDpi) {
        frame = CentredDialogFrame(dpi);
        SetWindowPos(dialog, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    FillInputDialog(dialog, state, promptCopy, defaultCopy, instance, dpi);

    ACCEL keyTable[] = {{FVIRTKEY, VK_RETURN, OkCommand}, {FVIRTKEY, VK_ESCAPE, CancelCommand}};
    const HACCEL keys = CreateAcceleratorTableW(keyTable, 2);
    SetForegroundWindow(dialog);
    BringWindowToTop(dialog);
    RunInputDialog(dialog, state, keys);
    DestroyAcceleratorTable(keys);
    // The window and its children are gone: nothing shows the font and icons any more.
    DestroyInterfaceFont(state.font);
    DestroyWindowIcons(state.icons);
    // Only now, with its window gone, can the class be unregistered (it fails while another
    // input dialog is open; that one unregisters it).
    UnregisterClassW(InputDialogClass, instance);
    return state.hasResult ? state.result : std::wstring();
}
