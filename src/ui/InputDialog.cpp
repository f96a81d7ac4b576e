// InputDialog: a small modal window of its own class that asks for one line of text, with OK,
// Enter (confirm), Escape and the close box (cancel). Tab does nothing: the dialog has no
// dialog navigation, only the entry field and the OK button.
#include <string>

#include "ui/InputDialog.h"
#include "core/UserTexts.h"
#include "ui/ModalGuard.h"
#include "ui/WindowText.h"

namespace {

constexpr const wchar_t* InputDialogClass = L"InputRequester";
constexpr int DialogWidth = 300;
constexpr int DialogHeight = 130;
constexpr int PromptId = 0;
constexpr int EntryFieldId = 10;
constexpr WORD OkCommand = 1000;
constexpr WORD CancelCommand = 1001;
constexpr int ApplicationIconId = 1;

// One open input dialog, attached to its window as user data. Kept per dialog rather than in
// program-wide variables, so that a dialog opened from a window callback while another one
// waits cannot end or re-enable the other's windows.
struct InputDialogState {
    HWND owner;
    bool ownerDisabled;
    bool closed;  // being given back: owner enabled, window destroyed, guard ended
    bool done;    // the window is gone; the loop ends
    HWND edit;
    bool hasResult;
    std::wstring result;
};

// The system's default GUI font, fetched at the first dialog and kept (a stock object is never
// deleted). Main thread.
HFONT gInputFont = nullptr;

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
        state->result = WindowText(state->edit);
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

LRESULT CALLBACK InputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND: return OnInputCommand(dialog, wParam);
    case WM_CLOSE: return OnInputClose(dialog);
    case WM_DESTROY: return OnInputDestroy(dialog);
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

HWND CreateChild(HWND dialog, const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y,
                 int width, int height, int id, HINSTANCE instance)
{
    const HWND child = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                       dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(gInputFont), TRUE);
    return child;
}

void FillInputDialog(HWND dialog, InputDialogState& state, const std::wstring& prompt, const std::wstring& defaultText,
                     HINSTANCE instance)
{
    CreateChild(dialog, L"STATIC", prompt.c_str(), SS_LEFTNOWORDWRAP, 0, 10, 10, 280, 22, PromptId, instance);
    state.edit = CreateChild(dialog, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 10, 32, 275, 21,
                             EntryFieldId, instance);
    CreateChild(dialog, L"BUTTON", OkButtonText, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 110, 67, 80, 25, OkCommand,
                instance);
    SetFocus(state.edit);
    if (!defaultText.empty()) {
        // Typing then adds to the default text instead of replacing it.
        SendMessageW(state.edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(defaultText.c_str()));
        const auto end = static_cast<WPARAM>(defaultText.size());
        SendMessageW(state.edit, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
}

// Runs the thread's messages until the dialog is gone. Returns true when a WM_QUIT ended it;
// its exit code is then in quitCode.
bool RunInputDialog(HWND dialog, InputDialogState& state, HACCEL keys, WPARAM& quitCode)
{
    while (!state.done) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program posts no WM_QUIT; should one come, give everything back and let the
            // outer loop see it too.
            CloseInputDialog(dialog, state);
            quitCode = msg.wParam;
            return got == 0;
        }
        if (TranslateAcceleratorW(dialog, keys, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return false;
}

}  // namespace

std::wstring InputDialog(const wchar_t* title, const wchar_t* prompt, const wchar_t* defaultText)
{
    const bool hasTitle = title != nullptr;
    const std::wstring titleCopy = hasTitle ? title : L"";
    const std::wstring promptCopy = prompt != nullptr ? prompt : L"";
    const std::wstring defaultCopy = defaultText != nullptr ? defaultText : L"";
    if (gInputFont == nullptr) gInputFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterInputDialogClass(instance);

    InputDialogState state{};
    BeginModal();
    state.owner = DialogOwner();
    if (state.owner != nullptr && IsWindowEnabled(state.owner)) {
        EnableWindow(state.owner, FALSE);
        state.ownerDisabled = true;
    }
    const HWND dialog = CreateWindowExW(
        0, InputDialogClass, hasTitle ? titleCopy.c_str() : nullptr, WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
        GetSystemMetrics(SM_CXSCREEN) / 2 - DialogWidth / 2, GetSystemMetrics(SM_CYSCREEN) / 2 - DialogHeight / 2,
        DialogWidth, DialogHeight, state.owner, nullptr, instance, nullptr);
    if (dialog == nullptr) {
        if (state.ownerDisabled) EnableWindow(state.owner, TRUE);
        EndModal();
        UnregisterClassW(InputDialogClass, instance);
        return L"";
    }
    SetWindowLongPtrW(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    FillInputDialog(dialog, state, promptCopy, defaultCopy, instance);

    ACCEL keyTable[] = {{FVIRTKEY, VK_RETURN, OkCommand}, {FVIRTKEY, VK_ESCAPE, CancelCommand}};
    const HACCEL keys = CreateAcceleratorTableW(keyTable, 2);
    SetForegroundWindow(dialog);
    BringWindowToTop(dialog);
    WPARAM quitCode = 0;
    const bool quit = RunInputDialog(dialog, state, keys, quitCode);
    DestroyAcceleratorTable(keys);
    // Only now, with its window gone, can the class be unregistered (it fails while another
    // input dialog is open; that one unregisters it).
    UnregisterClassW(InputDialogClass, instance);
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return state.hasResult ? state.result : std::wstring();
}
