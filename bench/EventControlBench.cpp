// Microseconds per press that the hook thread spends noting its window and control
// (NoteEventWindow), against a form of another thread with an edit and twenty buttons: presses
// into a window without children (the hit test and the window's rectangle, as before controls
// were read), presses into the same control (its rectangle besides), into two buttons in turn
// (each kept among the recent controls), into twenty in turn (more than are kept: each read
// afresh, its class, identifier, place among the siblings and DPI), and keys with the focus in
// the edit.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "core/Messages.h"
#include "hooks/EventWindow.h"

namespace {

constexpr int Rounds = 5;
constexpr int Presses = 2000;
constexpr int Buttons = 20;

struct Form {
    HWND window, plain, edit, buttons[Buttons];
    HANDLE ready;
};

double gTicksPerMicrosecond = 0;

DWORD WINAPI FormThread(void* parameter)
{
    auto& form = *static_cast<Form*>(parameter);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BenchForm";
    RegisterClassW(&wc);
    form.window = CreateWindowExW(0, L"BenchForm", L"Formular", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr,
                                  nullptr, nullptr);
    form.plain = CreateWindowExW(0, L"BenchForm", L"Ohne Kinder", WS_POPUP | WS_VISIBLE, 700, 0, 200, 200, nullptr,
                                 nullptr, nullptr, nullptr);
    form.edit = CreateWindowExW(0, L"Edit", L"", WS_CHILD | WS_VISIBLE, 10, 10, 300, 24, form.window,
                                reinterpret_cast<HMENU>(100), nullptr, nullptr);
    for (int i = 0; i < Buttons; ++i)
        form.buttons[i] =
            CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE, 10 + (i % 5) * 110, 50 + (i / 5) * 40, 100, 30,
                            form.window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(200 + i)), nullptr, nullptr);
    SetForegroundWindow(form.window);
    SetFocus(form.edit);
    SetEvent(form.ready);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}

POINT Middle(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The best of the rounds, in microseconds per press: press i goes to points[i % count].
double MicrosecondsPerPress(uint32_t message, const POINT* points, int count)
{
    double best = 1e30;
    for (int round = 0; round < Rounds; ++round) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        for (int i = 0; i < Presses; ++i) {
            const POINT at = points[i % count];
            HookEvent move{MouseMoveMessage, 0, at.x, at.y, 0};
            NoteEventWindow(move);
            HookEvent press{message, message == KeyDownMessage ? 'A' : 0, 0, 0, 0};
            NoteEventWindow(press);
        }
        QueryPerformanceCounter(&end);
        best = std::min(best, static_cast<double>(end.QuadPart - start.QuadPart) / gTicksPerMicrosecond / Presses);
    }
    return best;
}

}  // namespace

int main()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    gTicksPerMicrosecond = static_cast<double>(frequency.QuadPart) / 1e6;
    Form form{};
    form.ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    const HANDLE thread = CreateThread(nullptr, 0, FormThread, &form, 0, nullptr);
    if (thread == nullptr || WaitForSingleObject(form.ready, 10000) != WAIT_OBJECT_0) return 1;
    Sleep(500);  // the windows shown
    const POINT plain = Middle(form.plain);
    POINT buttons[Buttons];
    for (int i = 0; i < Buttons; ++i) buttons[i] = Middle(form.buttons[i]);
    std::printf("microseconds per press noted on the hook thread (best of %d rounds of %d):\n", Rounds, Presses);
    std::printf("  button, window without children:     %8.1f\n",
                MicrosecondsPerPress(LeftButtonDownMessage, &plain, 1));
    std::printf("  button, the same control:            %8.1f\n",
                MicrosecondsPerPress(LeftButtonDownMessage, buttons, 1));
    std::printf("  button, two controls in turn:        %8.1f\n",
                MicrosecondsPerPress(LeftButtonDownMessage, buttons, 2));
    std::printf("  button, twenty controls in turn:     %8.1f\n",
                MicrosecondsPerPress(LeftButtonDownMessage, buttons, Buttons));
    std::printf("  key, focus in the same edit:         %8.1f\n", MicrosecondsPerPress(KeyDownMessage, buttons, 1));
    PostThreadMessageW(GetThreadId(thread), WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 5000);
    return 0;
}
