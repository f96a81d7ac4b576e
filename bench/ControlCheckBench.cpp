// What the readiness look costs a press whose control is ready: finding the control in its
// window and the checks (input desktop, integrity level, an answer of the window, visible and
// enabled, for a key the focus), and reading the window's DPI for the placement, as the worker
// does them once for a press after a control group. The form is a window of another process
// (this program started again with --form), with 24 children of four classes, the control
// looked for the last of them; each figure is taken over 2,000 looks. For scale, in the same
// run: one SendMessageTimeout alone, and the same look for a form of 4 children.
//   tests/harness/wine-run.sh build/bench/bench_control_checks.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

#include "playback/ControlChecks.h"
#include "playback/ControlPlacement.h"

namespace {

constexpr wchar_t FormClass[] = L"TandrelBenchForm";
constexpr int Looks = 2000;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

// The other process: a form of `children` controls (labels, fields, check boxes, and the OK
// button, identifier 1, last), until it is closed.
int RunForm(int children)
{
    SetProcessDPIAware();
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = FormClass;
    RegisterClassW(&wc);
    HWND form = CreateWindowExW(0, FormClass, L"form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 700, nullptr,
                                nullptr, wc.hInstance, nullptr);
    const wchar_t* classes[] = {L"STATIC", L"EDIT", L"BUTTON", L"BUTTON"};
    const DWORD styles[] = {0, WS_BORDER, BS_AUTOCHECKBOX, BS_PUSHBUTTON};
    for (int i = 0; i < children; ++i) {
        const int kind = i == children - 1 ? 3 : i % 3;
        const int id = i == children - 1 ? 1 : (kind == 0 ? -1 : 100 + i);
        CreateWindowExW(0, classes[kind], L"x", WS_CHILD | WS_VISIBLE | styles[kind], 10 + (i % 2) * 250,
                        10 + (i / 2) * 26, 200, 22, form, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        wc.hInstance, nullptr);
    }
    SetForegroundWindow(form);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

double Microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

template <typename Look>
void Measure(const char* what, Look look)
{
    std::vector<double> times;
    for (int i = 0; i < Looks; ++i) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        look();
        QueryPerformanceCounter(&b);
        times.push_back(Microseconds(a, b));
    }
    std::sort(times.begin(), times.end());
    std::printf("%-44s p50 %7.1f us   p99 %7.1f us   max %8.1f us\n", what, times[Looks / 2], times[Looks * 99 / 100],
                times.back());
}

HWND StartForm(int children, PROCESS_INFORMATION& process)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    wchar_t command[MAX_PATH + 32];
    std::swprintf(command, MAX_PATH + 32, L"\"%ls\" --form %d", self, children);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    for (int i = 0; i < 3000; ++i) {
        HWND form = FindWindowW(FormClass, nullptr);
        if (form != nullptr && FindWindowExW(form, nullptr, L"BUTTON", nullptr) != nullptr) {
            Sleep(300);  // the rest of its children
            return form;
        }
        Sleep(10);
    }
    return nullptr;
}

void MeasureForm(int children)
{
    PROCESS_INFORMATION process{};
    HWND form = StartForm(children, process);
    if (form == nullptr) {
        std::printf("the form of %d children did not come\n", children);
        return;
    }
    ControlIdentity ok{};
    std::strcpy(ok.controlClass, "Button");
    ok.id = 1;
    ok.place = (children - 1) / 3;  // the check boxes before it are buttons too
    ok.dpi = 96;
    ControlIdentity now{};
    HWND control = FindControl(form, ok, now);
    std::printf("form of %d children: OK %s\n", children, control != nullptr ? "found" : "NOT FOUND");
    const WindowIdentity window{"bench.exe", "TandrelBenchForm", 100, 100, 600, 700};
    char label[64];
    std::snprintf(label, sizeof label, "  a click's whole look (%d children)", children);
    Measure(label, [&] {
        HWND c = FindControl(form, ok, now);
        const ControlChecks checks = CheckControl(form, c, false);
        ControlMapping mapping = MapControl(window, ok, now, WindowDisplayDpi(form));
        int32_t x = 110, y = 110;
        if (checks.controlReady) MapControlPosition(mapping, x, y);
    });
    std::snprintf(label, sizeof label, "  a key's whole look (%d children)", children);
    Measure(label, [&] { CheckControl(form, FindControl(form, ok, now), true); });
    Measure("  finding the control alone", [&] { FindControl(form, ok, now); });
    Measure("  the checks alone (click)", [&] { CheckControl(form, control, false); });
    Measure("  SendMessageTimeout WM_NULL alone", [&] {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(form, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5, &result);
    });
    PostMessageW(form, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--form") == 0) return RunForm(std::atoi(argv[2]));
    SetProcessDPIAware();
    StartControlChecks();
    MeasureForm(24);
    MeasureForm(4);
    return 0;
}
