// The dialog-answering thread; see DialogScript.h.
#include "win/fakes/DialogScript.h"

#include <atomic>
#include <thread>

#include "core/ActivityState.h"
#include "ui/MainWindow.h"

namespace {

constexpr DWORD StepTimeoutMs = 30000;
constexpr int InputFieldId = 10;

std::vector<DialogStep> gSteps;
std::vector<DialogSeen> gSeen;
std::atomic<bool> gFlowEnded{false};
std::atomic<int> gUnscripted{0};
std::thread gAnswerer;

std::wstring TextOf(HWND window)
{
    wchar_t buffer[1024] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 5000, &length);
    return std::wstring(buffer, length);
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM collected)
{
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (CompareStringOrdinal(className, -1, L"Static", -1, TRUE) == CSTR_EQUAL) {
        std::wstring text = TextOf(child);
        if (!text.empty()) *reinterpret_cast<std::wstring*>(collected) += text;
    }
    return TRUE;
}

HWND FindDialog(DialogKind kind)
{
    HWND found = kind == DialogKind::Input ? FindWindowW(L"InputRequester", nullptr)
                                           : FindWindowW(L"#32770", L"Vorsk - Tandrel");
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

// Waits until a dialog of this kind other than `previous` is open and its thread is in the
// dialog's message loop (a sent message is answered only there).
HWND AwaitDialog(DialogKind kind, HWND previous, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs && !gFlowEnded.load()) {
        HWND dialog = FindDialog(kind);
        if (dialog != nullptr && dialog != previous) {
            DWORD_PTR ignored = 0;
            if (SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored)) return dialog;
        }
        Sleep(10);
    }
    return nullptr;
}

HWND FocusOf(HWND dialog)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus != nullptr ? info.hwndFocus : dialog;
}

void PostKey(HWND target, UINT key)
{
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

void AnswerInput(HWND dialog, const DialogStep& step)
{
    HWND field = GetDlgItem(dialog, InputFieldId);
    if (step.clear) SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_BLOCK, 5000, nullptr);
    for (wchar_t c : step.typed) PostMessageW(field, WM_CHAR, c, 1);
    PostKey(field, step.key);
}

void AnswerBox(HWND box, const DialogStep& step)
{
    if (step.key != 0)
        PostKey(FocusOf(box), step.key);
    else
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED), 0);
}

DialogSeen Observe(HWND dialog, DialogKind kind)
{
    DialogSeen seen{true, TextOf(dialog), L"", gActivityState.load(), false};
    if (kind == DialogKind::Input)
        seen.text = TextOf(GetDlgItem(dialog, InputFieldId));
    else
        EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&seen.text));
    seen.mainWindowEnabled = gMainWindow != nullptr && IsWindowEnabled(gMainWindow);
    return seen;
}

void WaitUntilGone(HWND dialog)
{
    DWORD start = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - start < StepTimeoutMs) Sleep(5);
}

// Ends whatever dialogs still come, so that a test that went wrong fails instead of hanging.
void AnswerTheRest()
{
    while (!gFlowEnded.load()) {
        if (HWND input = FindDialog(DialogKind::Input)) {
            ++gUnscripted;
            AnswerInput(input, {DialogKind::Input, L"unscripted", true, VK_RETURN, 0});
            WaitUntilGone(input);
        } else if (HWND box = FindDialog(DialogKind::Box)) {
            ++gUnscripted;
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            WaitUntilGone(box);
        }
        Sleep(20);
    }
}

void RunScript()
{
    HWND previous = nullptr;
    for (const DialogStep& step : gSteps) {
        HWND dialog = AwaitDialog(step.kind, previous, StepTimeoutMs);
        if (dialog == nullptr) {
            gSeen.push_back({false, L"", L"", 0, false});
            break;
        }
        gSeen.push_back(Observe(dialog, step.kind));
        if (step.kind == DialogKind::Input)
            AnswerInput(dialog, step);
        else
            AnswerBox(dialog, step);
        WaitUntilGone(dialog);
        previous = dialog;
    }
    AnswerTheRest();
}

}  // namespace

DialogStep TypeAndPress(const std::wstring& typed, UINT key, bool clear)
{
    return {DialogKind::Input, typed, clear, key, 0};
}

DialogStep PressKey(UINT key)
{
    return {DialogKind::Box, L"", false, key, 0};
}

DialogStep ClickButton(int button)
{
    return {DialogKind::Box, L"", false, 0, button};
}

void StartDialogScript(std::vector<DialogStep> steps)
{
    gSteps = std::move(steps);
    gSeen.clear();
    gFlowEnded = false;
    gUnscripted = 0;
    gAnswerer = std::thread(RunScript);
}

std::vector<DialogSeen> FinishDialogScript(int& unscriptedDialogs)
{
    gFlowEnded = true;
    if (gAnswerer.joinable()) gAnswerer.join();
    unscriptedDialogs = gUnscripted.load();
    return gSeen;
}
