// Fuzz target: a recording's bytes, played once through the read buffer, the schedule and the
// Held-input list, with an injector that only keeps the state of the keys and buttons it was
// told to press. Whatever the bytes, every wait is finite and not negative, and after the
// release at the end of the pass nothing the pass pressed is still down.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "playback/HeldInputs.h"
#include "playback/Injection.h"
#include "playback/PlayRecord.h"
#include "playback/RecordBuffer.h"
#include "playback/Schedule.h"

namespace {

// How often each key and button is down, as the injector saw it: presses minus releases.
int gKeyDownCount[256];
int gButtonDownCount[5];  // left, right, middle, X button 1, X button 2

void Require(bool condition)
{
    if (!condition) std::abort();
}

void ResetInjectionState()
{
    std::memset(gKeyDownCount, 0, sizeof gKeyDownCount);
    std::memset(gButtonDownCount, 0, sizeof gButtonDownCount);
}

bool AnythingDown()
{
    for (int count : gKeyDownCount)
        if (count > 0) return true;
    for (int count : gButtonDownCount)
        if (count > 0) return true;
    return false;
}

}  // namespace

void InjectKey(uint8_t virtualKey, bool down)
{
    gKeyDownCount[virtualKey] += down ? 1 : -1;
}

void InjectMouseButton(uint32_t mouseFlags)
{
    switch (mouseFlags) {
    case MouseLeftDown: ++gButtonDownCount[0]; break;
    case MouseLeftUp: --gButtonDownCount[0]; break;
    case MouseRightDown: ++gButtonDownCount[1]; break;
    case MouseRightUp: --gButtonDownCount[1]; break;
    case MouseMiddleDown: ++gButtonDownCount[2]; break;
    case MouseMiddleUp: --gButtonDownCount[2]; break;
    default: Require(false);  // exactly one button flag per call
    }
}

void InjectWheel(int32_t)
{}

void InjectXButton(int32_t xButton, bool down)
{
    Require(xButton == 1 || xButton == 2);
    gButtonDownCount[2 + xButton] += down ? 1 : -1;
}

void InjectHorizontalWheel(int32_t)
{}

void InjectCursorMove(int32_t, int32_t)
{}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte picks the speed divisor, as the command line may set it (1 to 10).
    if (size == 0) return 0;
    const int32_t speedDivisor = 1 + data[0] % 10;
    ++data;
    --size;

    ResetInjectionState();
    CreateHeldInputList();
    RecordBuffer buffer;
    ResetRecordBuffer(buffer);
    int64_t now = 0;
    PlaybackSchedule schedule = StartPlaybackSchedule(now);
    size_t offset = 0;
    InputRecord record{};
    for (;;) {
        if (!TakeRecord(buffer, record)) {
            if (offset == size) break;
            uint32_t freeBytes = 0;
            uint8_t* space = RecordBufferFreeSpace(buffer, freeBytes);
            Require(freeBytes > 0);
            // Reads come in odd-sized pieces, as a slow disk may hand them out.
            const size_t piece = std::min<size_t>({freeBytes, size - offset, 1 + (offset * 7) % 61});
            std::memcpy(space, data + offset, piece);
            buffer.end += static_cast<uint32_t>(piece);
            offset += piece;
            continue;
        }
        const int64_t wait = NextRecordWait(schedule, record.delay, speedDivisor, now);
        Require(wait >= 0);
        // The longest a file can ask for: every delay at its 32-bit maximum, undivided.
        Require(wait <= int64_t{INT32_MAX} * 1000 * static_cast<int64_t>(size / 16 + 1));
        now += wait;
        PlayInputRecord(record);
    }
    ReleaseHeldInputs();
    Require(!AnythingDown());
    return 0;
}
