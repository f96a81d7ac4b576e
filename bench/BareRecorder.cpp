// The recording-accuracy benchmark's reference: the barest recorder of keys that the platform
// allows (not shipped). One low-level keyboard hook on its own thread's message loop, which
// stamps each key press with the performance counter in the hook call itself; no hook modules,
// no window, no file until the end. After `presses` key presses it writes one line per press,
// "virtual-key microseconds", to the output file and ends; "ready" goes there first, once the
// hook is in place.
//   BareRecorder.exe <output> <presses>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct Press {
    DWORD virtualKey;
    int64_t counter;
};

constexpr int MaxPresses = 100000;
Press gPresses[MaxPresses];
int gWanted = 0;
int gSeen = 0;

LRESULT CALLBACK OnKeyboard(int code, WPARAM message, LPARAM data)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (code == HC_ACTION && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && gSeen < gWanted) {
        gPresses[gSeen++] = Press{reinterpret_cast<const KBDLLHOOKSTRUCT*>(data)->vkCode, now.QuadPart};
        if (gSeen == gWanted) PostQuitMessage(0);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace

int main(int argc, char** argv)
{
    gWanted = argc > 2 ? std::atoi(argv[2]) : 0;
    if (argc < 3 || gWanted <= 0 || gWanted > MaxPresses) {
        std::fprintf(stderr, "usage: BareRecorder <output> <presses>\n");
        return 2;
    }
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, OnKeyboard, GetModuleHandleW(nullptr), 0);
    FILE* out = std::fopen(argv[1], "w");
    if (hook == nullptr || out == nullptr) return 3;
    std::fputs("ready\n", out);
    std::fflush(out);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(hook);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    const int64_t f = frequency.QuadPart;
    for (int i = 0; i < gSeen; ++i) {
        const int64_t c = gPresses[i].counter;
        std::fprintf(out, "%lu %lld\n", gPresses[i].virtualKey,
                     static_cast<long long>(c / f * 1000000 + c % f * 1000000 / f));
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
