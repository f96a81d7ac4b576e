// The side-by-side benchmark's reference: the barest player of a recording's keys, left, right
// and middle buttons and moves that the platform allows, and nothing else (not shipped). The
// performance counter as its clock, one NtDelayExecution for each whole wait, keybd_event,
// mouse_event and SetCursorPos, no hooks, no window, no stop. It keeps the program's schedule
// (a pause of two seconds, then each record at the running sum of the delays divided by the
// speed divisor, in whole milliseconds), so that both players' input is due at the same moments.
//   ReferencePlayer.exe <recording> [divisor]
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using DelayExecutionFunction = LONG(NTAPI*)(BOOLEAN, PLARGE_INTEGER);

constexpr size_t RecordSize = 16;
constexpr int64_t PauseMicroseconds = 2000 * 1000;

int64_t gFrequency = 1;

int64_t Microseconds()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart / gFrequency * 1000000 + counter.QuadPart % gFrequency * 1000000 / gFrequency;
}

int32_t LittleEndian32(const uint8_t* bytes)
{
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                                static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

// The mouse_event flags of a Button record's code: the left, right and middle button messages;
// 0 for any other code.
DWORD ButtonFlags(int16_t code)
{
    switch (code) {
    case WM_LBUTTONDOWN: return MOUSEEVENTF_LEFTDOWN;
    case WM_LBUTTONUP: return MOUSEEVENTF_LEFTUP;
    case WM_RBUTTONDOWN: return MOUSEEVENTF_RIGHTDOWN;
    case WM_RBUTTONUP: return MOUSEEVENTF_RIGHTUP;
    case WM_MBUTTONDOWN: return MOUSEEVENTF_MIDDLEDOWN;
    case WM_MBUTTONUP: return MOUSEEVENTF_MIDDLEUP;
    }
    return 0;
}

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    uint8_t chunk[4096];
    size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + read);
    std::fclose(file);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<uint8_t> bytes;
    if (argc < 2 || !ReadWholeFile(argv[1], bytes)) {
        std::fprintf(stderr, "usage: ReferencePlayer <recording> [divisor]\n");
        return 2;
    }
    const int64_t divisor = argc > 2 && std::atoi(argv[2]) > 0 ? std::atoi(argv[2]) : 1;
    FARPROC found = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDelayExecution");
    if (found == nullptr) return 3;
    const auto delayExecution = reinterpret_cast<DelayExecutionFunction>(reinterpret_cast<void*>(found));
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    gFrequency = frequency.QuadPart;

    const int64_t origin = Microseconds() + PauseMicroseconds;
    int64_t delaySum = 0;
    for (size_t at = 0; at + RecordSize <= bytes.size(); at += RecordSize) {
        const uint8_t* record = bytes.data() + at;
        const int32_t delay = LittleEndian32(record + 4);
        if (delay > 0) delaySum += delay;
        const int64_t remaining = origin + delaySum / divisor * 1000 - Microseconds();
        if (remaining > 0) {
            LARGE_INTEGER interval;
            interval.QuadPart = -remaining * 10;  // relative, in units of 100 ns
            delayExecution(FALSE, &interval);
        }
        const int8_t kind = static_cast<int8_t>(record[0]);
        const int8_t down = static_cast<int8_t>(record[3]);
        const DWORD buttonFlags = ButtonFlags(static_cast<int16_t>(record[1] | record[2] << 8));
        if (kind == 0 && (down == 0 || down == 1)) keybd_event(record[1], 0, down == 1 ? 0 : KEYEVENTF_KEYUP, 0);
        if (kind == 1 && buttonFlags != 0) mouse_event(buttonFlags, 0, 0, 0, 0);
        if (kind == 2) SetCursorPos(LittleEndian32(record + 8), LittleEndian32(record + 12));
    }
    return 0;
}
