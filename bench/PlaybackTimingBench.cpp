// How punctually playback injects: a synthetic recording of 2000 moves with delays of 1 to
// 10 ms, played by the real worker with the real wait and clock and a fake injector that
// timestamps each record, at Speed divisors 1 and 10. Beside it, in the same run, the plain
// schedule: one Sleep of delay / divisor per record. Lateness is measured against each
// record's nominal time: the end of the pass's pause plus the sum of the delays so far,
// divided by the divisor. The first record has delay 0 and marks that origin.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/ActivityState.h"
#include "core/Settings.h"
#include "playback/HeldInputs.h"
#include "playback/Injection.h"
#include "playback/PlaybackWorker.h"
#include "recording/InputRecord.h"

namespace {

constexpr int RecordCount = 2001;  // the origin marker and 2000 timed records

// Written by the fake injector on the worker thread, read by main after the worker ended.
std::vector<int64_t> gStamps(RecordCount, -1);

struct Figures {
    double nominalSpanMs;
    double actualSpanMs;
    double p50Ms;
    double p99Ms;
    double maxMs;
    double minMs;
};

std::vector<int32_t> SyntheticDelays()
{
    std::vector<int32_t> delays(RecordCount, 0);
    uint32_t seed = 12345;
    for (int i = 1; i < RecordCount; ++i) {
        seed = seed * 1664525u + 1013904223u;
        delays[i] = 1 + static_cast<int32_t>((seed >> 16) % 10);
    }
    return delays;
}

std::wstring WriteRecording(const std::vector<int32_t>& delays)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"tandrel-bench-playback.rec";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<uint8_t> bytes(delays.size() * InputRecordSize);
    for (size_t i = 0; i < delays.size(); ++i) {
        EncodeInputRecord(InputRecord{Move, 0, 0, delays[i], static_cast<int32_t>(i), 0},
                          bytes.data() + i * InputRecordSize);
    }
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

Figures Evaluate(const std::vector<int32_t>& delays, int32_t divisor)
{
    std::vector<double> lateness;
    int64_t sum = 0;
    for (int i = 1; i < RecordCount; ++i) {
        sum += delays[i];
        const int64_t due = gStamps[0] + sum / divisor * 1000;
        lateness.push_back((gStamps[i] - due) / 1000.0);
    }
    std::vector<double> sorted = lateness;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    Figures figures{};
    figures.nominalSpanMs = static_cast<double>(sum / divisor);
    figures.actualSpanMs = (gStamps[RecordCount - 1] - gStamps[0]) / 1000.0;
    figures.p50Ms = sorted[n / 2];
    figures.p99Ms = sorted[(n * 99 + 99) / 100 - 1];
    figures.maxMs = sorted[n - 1];
    figures.minMs = sorted[0];
    return figures;
}

Figures PlayThroughWorker(const std::wstring& path, const std::vector<int32_t>& delays, int32_t divisor)
{
    std::fill(gStamps.begin(), gStamps.end(), -1);
    gPlaybackPath = path;
    gSpeedDivisor = divisor;
    gRepeatCount = 0;
    gQuitAfterPlayback = 0;
    gActivityState.store(Idle);
    // No window: the final message goes to the worker's own queue and is dropped with it.
    StartPlaybackWorker(nullptr);
    while (IsPlaybackWorkerRunning()) {
        Sleep(50);
    }
    CloseWorkerThreadHandles();
    return Evaluate(delays, divisor);
}

Figures PlayWithOneSleepPerRecord(const std::vector<int32_t>& delays, int32_t divisor)
{
    std::fill(gStamps.begin(), gStamps.end(), -1);
    for (int i = 0; i < RecordCount; ++i) {
        Sleep(static_cast<DWORD>(delays[i] / divisor));
        InjectCursorMove(i, 0);
    }
    return Evaluate(delays, divisor);
}

bool RunsUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool HighResolutionTimerAvailable()
{
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, 0x2, TIMER_ALL_ACCESS);
    if (timer == nullptr) {
        return false;
    }
    CloseHandle(timer);
    return true;
}

void PrintRow(const char* name, const Figures (&f)[4], double Figures::*field)
{
    std::printf("%-22s", name);
    for (const Figures& figures : f) {
        std::printf(" %12.3f", figures.*field);
    }
    std::printf("\n");
}

}  // namespace

// The fake injector: only moves come in, each carrying its record's number in x.
void InjectCursorMove(int32_t x, int32_t)
{
    if (x >= 0 && x < RecordCount) {
        gStamps[x] = PlaybackClock();
    }
}
void InjectKey(uint8_t, bool)
{}
void InjectMouseButton(uint32_t)
{}
void InjectWheel(int32_t)
{}
void InjectXButton(int32_t, bool)
{}
void InjectHorizontalWheel(int32_t)
{}

int main()
{
    CreateHeldInputList();
    const std::vector<int32_t> delays = SyntheticDelays();
    const std::wstring path = WriteRecording(delays);
    std::printf("Playback timing: %d records with delays of 1 to 10 ms (one origin marker)\n", RecordCount - 1);
    const bool timer = HighResolutionTimerAvailable();
    const bool wine = RunsUnderWine();
    std::printf("high-resolution waitable timer: %s; running under Wine: %s\n", timer ? "available" : "refused",
                wine ? "yes" : "no");
    std::printf("the worker waits with: %s\n",
                timer && !wine ? "the high-resolution waitable timer" : "Sleep, timer resolution raised to 1 ms");

    Figures figures[4];
    figures[0] = PlayThroughWorker(path, delays, 1);
    figures[2] = PlayThroughWorker(path, delays, 10);
    timeBeginPeriod(1);  // the plain schedule as it ran: Sleep with a 1 ms system timer
    figures[1] = PlayWithOneSleepPerRecord(delays, 1);
    figures[3] = PlayWithOneSleepPerRecord(delays, 10);
    DeleteFileW(path.c_str());

    std::printf("\n%-22s %12s %12s %12s %12s\n", "", "divisor 1", "divisor 1", "divisor 10", "divisor 10");
    std::printf("%-22s %12s %12s %12s %12s\n", "(milliseconds)", "schedule", "one Sleep", "schedule", "one Sleep");
    PrintRow("nominal span", figures, &Figures::nominalSpanMs);
    PrintRow("actual span", figures, &Figures::actualSpanMs);
    std::printf("%-22s", "span error %");
    for (const Figures& f : figures) {
        std::printf(" %12.2f", 100.0 * (f.actualSpanMs - f.nominalSpanMs) / f.nominalSpanMs);
    }
    std::printf("\n");
    PrintRow("lateness p50", figures, &Figures::p50Ms);
    PrintRow("lateness p99", figures, &Figures::p99Ms);
    PrintRow("lateness max", figures, &Figures::maxMs);
    PrintRow("lateness min", figures, &Figures::minMs);

    bool met = true;
    for (int column : {0, 2}) {
        const Figures& f = figures[column];
        const double error = 100.0 * (f.actualSpanMs - f.nominalSpanMs) / f.nominalSpanMs;
        met = met && error <= 1.0 && error >= -1.0 && f.p99Ms <= 2.0;
    }
    std::printf("\ngoal (schedule: span within 1 %%, p99 lateness at most 2 ms): %s\n", met ? "met" : "NOT met");
    return 0;
}
