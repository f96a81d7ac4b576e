// The dialog driver: finding, answering and noting the program's dialogs from a timer or from
// a second thread; see DialogDriver.h.
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/ActivityState.h"
#include "support/ExpectedTexts.h"
#include "support/WindowHelpers.h"
#include "ui/MainWindow.h"

namespace {

constexpr DWORD StepTimeoutMs = 30000;
constexpr DWORD FirstTickTimeoutMs = 10000;
constexpr UINT TickMs = 100;
constexpr int InputFieldId = 10;
constexpr const wchar_t* InputDialogClass = L"InputRequester";
constexpr const wchar_t* BoxClass = L"#32770";

// The second thread's script and what it has seen.
std::vector<DialogStep> gSteps;
std::vector<DialogSeen> gSeen;
std::atomic<bool> gFlowEnded{false};
std::atomic<int> gUnscripted{0};
std::thread gAnswerer;

// The timer's script.
DialogScript* gTimedScript = nullptr;

bool IsStatic(HWND window)
{
    return CompareStringOrdinal(BaseClassName(window).c_str(), -1, L"Static", -1, TRUE) == CSTR_EQUAL;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM collected)
{
    if (IsStatic(child)) *reinterpret_cast<std::wstring*>(collected) += TextOf(child);
    return TRUE;
}

HWND AwaitDialog(DialogKind kind, HWND previous, DWORD timeoutMs, const std::atomic<bool>* stop)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs && (stop == nullptr || !stop->load())) {
        const HWND dialog = FindDialog(kind);
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

// Ends a dialog that no script step was for, so that every flow ends: the input dialog is
// cancelled, a question is answered Yes and any other box OK.
void AnswerUnscripted(HWND dialog, DialogKind kind)
{
    if (kind == DialogKind::Input) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    } else {
        PostButtonClick(dialog, IDYES);
        PostButtonClick(dialog, IDOK);
    }
}

DialogSeen Observe(HWND dialog, DialogKind kind)
{
    DialogSeen seen{true, TextOf(dialog), L"", gActivityState.load(), false};
    seen.text = kind == DialogKind::Input ? TextOf(EntryField(dialog)) : BoxText(dialog);
    seen.mainWindowEnabled = gMainWindow != nullptr && IsWindowEnabled(gMainWindow);
    return seen;
}

void WaitUntilGone(HWND dialog)
{
    const DWORD start = GetTickCount();
    while (IsWindow(dialog) && GetTickCount() - start < StepTimeoutMs) Sleep(5);
}

struct UnscriptedSearch {
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchUnscripted(HWND window, LPARAM search)
{
    auto& s = *reinterpret_cast<UnscriptedSearch*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != s.className) return TRUE;
    s.found = window;
    return FALSE;
}

// A visible dialog of this kind of this process, whatever its title: a box with a wrong title
// is to be answered too, or the flow that opened it would never return.
HWND FindUnscriptedDialog(DialogKind kind)
{
    UnscriptedSearch search{kind == DialogKind::Input ? InputDialogClass : BoxClass, nullptr};
    EnumWindows(MatchUnscripted, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Ends whatever dialogs still come until the flow has returned, and counts them.
void AnswerTheRest()
{
    while (!gFlowEnded.load()) {
        for (DialogKind kind : {DialogKind::Input, DialogKind::Box}) {
            if (const HWND dialog = FindUnscriptedDialog(kind)) {
                ++gUnscripted;
                AnswerUnscripted(dialog, kind);
                WaitUntilGone(dialog);
            }
        }
        Sleep(20);
    }
}

void RunScript()
{
    HWND previous = nullptr;
    for (const DialogStep& step : gSteps) {
        const HWND dialog = AwaitDialog(step.kind, previous, StepTimeoutMs, &gFlowEnded);
        if (dialog == nullptr) {
            gSeen.push_back({false, L"", L"", 0, false});
            break;
        }
        gSeen.push_back(Observe(dialog, step.kind));
        step.answer(dialog);
        WaitUntilGone(dialog);
        previous = dialog;
    }
    AnswerTheRest();
}

BOOL CALLBACK AnswerOwnDialog(HWND window, LPARAM)
{
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return TRUE;
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == InputDialogClass) AnswerUnscripted(window, DialogKind::Input);
    if (std::wstring(name) == BoxClass) AnswerUnscripted(window, DialogKind::Box);
    return TRUE;
}

void StopTimedScript(DialogScript& script)
{
    script.finished = true;
    KillTimer(nullptr, script.timer);
}

void CALLBACK RunTimedStep(HWND, UINT, UINT_PTR, DWORD)
{
    DialogScript* s = gTimedScript;
    // A step that opens a nested dialog lets ticks arrive while it has not returned yet.
    if (s == nullptr || s->finished || s->next >= s->steps.size()) return;
    const HWND dialog = FindOwnDialog(s->kind);
    if (dialog == nullptr) {
        if (s->next == 0 && GetTickCount() - s->start < FirstTickTimeoutMs) return;
        ADD_FAILURE() << "the dialog did not appear (or vanished before step " << s->next << ")";
        StopTimedScript(*s);
        EnumWindows(AnswerOwnDialog, 0);
        return;
    }
    s->steps[s->next++](dialog);
    if (s->next == s->steps.size()) StopTimedScript(*s);
}

}  // namespace

HWND FindDialog(DialogKind kind)
{
    const HWND found = kind == DialogKind::Input ? FindWindowW(InputDialogClass, nullptr)
                                                 : FindWindowW(BoxClass, expected::MessageTitle);
    return found != nullptr && IsWindowVisible(found) ? found : nullptr;
}

HWND FindOwnDialog(DialogKind kind)
{
    return kind == DialogKind::Input ? FindOwnWindow(InputDialogClass)
                                     : FindOwnWindow(BoxClass, expected::MessageTitle);
}

HWND WaitForDialog(DialogKind kind, DWORD timeoutMs)
{
    return AwaitDialog(kind, nullptr, timeoutMs, nullptr);
}

HWND EntryField(HWND inputDialog)
{
    return GetDlgItem(inputDialog, InputFieldId);
}

void PostKeyDown(HWND target, UINT key)
{
    PostMessageW(target, WM_KEYDOWN, key, 1);
}

void PostKeyPress(HWND target, UINT key)
{
    PostKeyDown(target, key);
    PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

void PostText(HWND inputDialog, const std::wstring& text)
{
    const HWND field = EntryField(inputDialog);
    for (wchar_t c : text) PostMessageW(field, WM_CHAR, c, 1);
}

void PostButtonClick(HWND dialog, int button)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

std::wstring BoxText(HWND box)
{
    std::wstring text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

DialogStep TypeAndPress(const std::wstring& typed, UINT key, bool clear)
{
    return {DialogKind::Input, [typed, key, clear](HWND dialog) {
                const HWND field = EntryField(dialog);
                if (clear) {
                    SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_BLOCK, 5000, nullptr);
                }
                PostText(dialog, typed);
                PostKeyPress(field, key);
            }};
}

DialogStep PressKey(UINT key)
{
    return {DialogKind::Box, [key](HWND box) { PostKeyPress(FocusOf(box), key); }};
}

DialogStep ClickButton(int button)
{
    return {DialogKind::Box, [button](HWND box) { PostButtonClick(box, button); }};
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

::testing::AssertionResult FinishDialogScriptWith(size_t count, std::vector<DialogSeen>& seen)
{
    int unscripted = 0;
    seen = FinishDialogScript(unscripted);
    if (seen.size() != count) {
        return ::testing::AssertionFailure() << seen.size() << " scripted dialogs came, not " << count;
    }
    for (size_t i = 0; i < seen.size(); ++i) {
        if (!seen[i].found) return ::testing::AssertionFailure() << "scripted dialog " << i << " never came";
    }
    if (unscripted != 0) return ::testing::AssertionFailure() << unscripted << " unscripted dialogs came";
    return ::testing::AssertionSuccess();
}

void RunWhenOpen(DialogScript& script)
{
    script.next = 0;
    script.finished = false;
    script.start = GetTickCount();
    gTimedScript = &script;
    script.timer = SetTimer(nullptr, 0, TickMs, RunTimedStep);
}
