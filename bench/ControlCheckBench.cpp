// What the readiness look costs a press whose control is ready. First the look itself: finding
// the control in its window and the checks (input desktop, integrity level, an answer of the
// window, visible and enabled, for a key the focus), and reading the window's DPI for the
// placement, each figure over 2,000 looks. Then what it costs a press: the real worker plays
// 200 clicks, each after a Move, alternately on a field and on OK, with the fake injection
// below stamping each press, once from a recording with a control group before each press and
// once from the same recording without them, in turn, three times; the figure is the press's
// lateness against its due time (from the first press of the pass). The form is a window of
// another process (this program started again with --form), with 24 children of three classes,
// OK the last of them; for scale, the look against a form of 4 children too.
//   tests/harness/wine-run.sh build/bench/bench_control_checks.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

#include "core/ActivityState.h"
#include "core/Settings.h"
#include "core/ControlIdentityRead.h"
#include "core/WindowIdentityRead.h"
#include "playback/ControlChecks.h"
#include "playback/ControlPlacement.h"
#include "playback/Injection.h"
#include "playback/PlaybackWorker.h"
#include "recording/ControlRecords.h"
#include "recording/WindowRecords.h"

namespace {

constexpr wchar_t FormClass[] = L"TandrelBenchForm";
constexpr int Looks = 2000;
constexpr int Clicks = 200;

// Written by the fake injection on the worker thread, read by main after the worker ended: the
// clock at each press.
std::vector<int64_t> gPressStamps;

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

void Append(std::vector<InputRecord>& records, const InputRecord* group, uint32_t count)
{
    records.insert(records.end(), group, group + count);
}

ControlIdentity IdentityOf(HWND form, HWND control)
{
    ControlIdentity identity{};
    WindowIdentity window{};
    ReadWindowRectangle(form, window);
    ReadControlRectangle(control, window, identity);
    ReadControlNames(control, form, identity);
    return identity;
}

// A Move onto each control's middle, 30 ms, then its press and release, 40 ms each, 200 times.
std::wstring WriteClicks(HWND form, bool withControls)
{
    WindowIdentity window{};
    ReadWindowProgram(form, window);
    ReadWindowClass(form, window);
    ReadWindowRectangle(form, window);
    std::vector<InputRecord> records;
    InputRecord group[MaxWindowRecords > MaxControlRecords ? MaxWindowRecords : MaxControlRecords];
    Append(records, group, EncodeWindowRecords(window, group));
    const HWND targets[2] = {FindWindowExW(form, nullptr, L"EDIT", nullptr), GetDlgItem(form, 1)};
    for (int i = 0; i < Clicks; ++i) {
        const ControlIdentity control = IdentityOf(form, targets[i % 2]);
        records.push_back(InputRecord{Move, 0, 0, 30, window.left + control.left + control.width / 2,
                                      window.top + control.top + control.height / 2});
        if (withControls) Append(records, group, EncodeControlRecords(control, group));
        records.push_back(InputRecord{Button, 0x201, 0, 40, 0, 0});
        records.push_back(InputRecord{Button, 0x202, 0, 40, 0, 0});
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path =
        std::wstring(temp) + (withControls ? L"tandrel-bench-controls.rec" : L"tandrel-bench-windows.rec");
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<uint8_t> bytes(records.size() * InputRecordSize);
    for (size_t i = 0; i < records.size(); ++i) EncodeInputRecord(records[i], bytes.data() + i * InputRecordSize);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

// The presses' lateness in ms, sorted: each against the first press plus 110 ms per click.
std::vector<double> PlayClicks(const std::wstring& path)
{
    gPressStamps.clear();
    gPressStamps.reserve(Clicks);
    gPlaybackPath = path;
    gSpeedDivisor = 1;
    gRepeatCount = 0;
    gQuitAfterPlayback = 0;
    gActivityState.store(Idle);
    StartPlaybackWorker(nullptr);
    while (IsPlaybackWorkerRunning()) Sleep(50);
    CloseWorkerThreadHandles();
    std::vector<double> lateness;
    for (size_t i = 1; i < gPressStamps.size(); ++i)
        lateness.push_back(static_cast<double>(gPressStamps[i] - gPressStamps[0] - static_cast<int64_t>(i) * 110'000) /
                           1000.0);
    std::sort(lateness.begin(), lateness.end());
    if (gPressStamps.size() != Clicks)
        std::printf("  only %d presses played (end %d)\n", static_cast<int>(gPressStamps.size()),
                    static_cast<int>(LastPlaybackEnd()));
    return lateness;
}

void MeasurePresses(HWND form)
{
    const std::wstring paths[2] = {WriteClicks(form, false), WriteClicks(form, true)};
    const char* names[2] = {"without control groups", "with a control group each"};
    std::printf("200 clicks through the worker, lateness of the press (ms):\n");
    for (int run = 0; run < 3; ++run) {
        for (int with = 0; with < 2; ++with) {
            const std::vector<double> lateness = PlayClicks(paths[with]);
            if (lateness.empty()) continue;
            std::printf("  run %d %-26s p50 %6.3f   p99 %6.3f   max %6.3f\n", run + 1, names[with],
                        lateness[lateness.size() / 2], lateness[lateness.size() * 99 / 100], lateness.back());
        }
    }
}

void MeasureForm(int children, bool throughWorker)
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
    if (throughWorker) MeasurePresses(form);
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
    MeasureForm(24, true);
    MeasureForm(4, false);
    return 0;
}

// The fake injection: presses are stamped, everything else goes nowhere.
void InjectMouseButton(uint32_t mouseFlags)
{
    if (mouseFlags == MouseLeftDown) gPressStamps.push_back(PlaybackClock());
}
void InjectKey(uint8_t, bool)
{}
void InjectWheel(int32_t)
{}
void InjectCursorMove(int32_t, int32_t)
{}
void InjectXButton(int32_t, bool)
{}
void InjectHorizontalWheel(int32_t)
{}
