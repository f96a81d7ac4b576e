// The Held-input list: what the playback worker has pressed and not released yet, oldest
// first, so that a pass or a stopped playback never leaves a key or mouse button down.
//
// Every operation costs the same however long the list is, because a recording may hold tens
// of thousands of presses (a key held down repeats) and a pass must not end in seconds of list
// walking. Each key or button has a slot with its count of presses still held. The order lives
// in a sequence of runs (consecutive presses of the same slot, with their count), oldest first.
// A release does not look for its press in the runs: it only counts the slot's oldest press
// as released, and whoever walks the runs next (the release at the end, or the compaction
// that keeps released presses from piling up) skips it there. The releases come out exactly
// as from a plain list of presses from which each release took its key's oldest press.
#include "playback/HeldInputs.h"

#include <cstring>
#include <vector>

#include "core/Messages.h"
#include "playback/Injection.h"
#include "recording/InputRecord.h"

namespace {

// A key's slot is its 16-bit code; the five buttons follow.
constexpr uint32_t KeySlotCount = 65536;
enum ButtonSlot : uint32_t {
    LeftSlot = KeySlotCount,
    RightSlot,
    MiddleSlot,
    XButton1Slot,
    XButton2Slot,
    SlotCount
};
constexpr uint32_t NoSlot = UINT32_MAX;
constexpr uint32_t MostPresses = UINT32_MAX;
// Released presses may wait in the runs up to this many more than there are held ones.
constexpr uint64_t ReleasedSlack = 64;

struct PressRun {
    uint32_t slot;
    uint32_t count;  // presses, the released ones among them until a walk skips them
};

// The list. Written and read by whoever holds the playback lock (the worker, the exit; see
// HeldInputs.h for the exit's one exception), and by start-up before any worker exists.
// The presses in the order they came; runs before gFirstRun have been taken already.
std::vector<PressRun> gRuns;
size_t gFirstRun = 0;
// Per slot: its presses still held, and its released presses still standing in the runs
// (always its oldest ones there).
uint32_t gHeldCount[SlotCount];
uint32_t gReleasedCount[SlotCount];
uint64_t gHeldTotal = 0;
uint64_t gReleasedTotal = 0;

uint32_t SlotOf(int8_t kind, int16_t code, int32_t button)
{
    if (kind == Key) return static_cast<uint16_t>(code);
    if (kind != Button) return NoSlot;
    switch (static_cast<uint16_t>(code)) {
    case LeftButtonUpMessage: return LeftSlot;
    case RightButtonUpMessage: return RightSlot;
    case MiddleButtonUpMessage: return MiddleSlot;
    case XButtonUpMessage: return button == XButton1 ? XButton1Slot : button == XButton2 ? XButton2Slot : NoSlot;
    default: return NoSlot;
    }
}

HeldInput EntryOfSlot(uint32_t slot)
{
    switch (slot) {
    case LeftSlot: return {Button, static_cast<int16_t>(LeftButtonUpMessage), 0};
    case RightSlot: return {Button, static_cast<int16_t>(RightButtonUpMessage), 0};
    case MiddleSlot: return {Button, static_cast<int16_t>(MiddleButtonUpMessage), 0};
    case XButton1Slot: return {Button, static_cast<int16_t>(XButtonUpMessage), XButton1};
    case XButton2Slot: return {Button, static_cast<int16_t>(XButtonUpMessage), XButton2};
    default: return {Key, static_cast<int16_t>(slot), 0};
    }
}

// Drops the released presses at the front of this run, as far as they are its slot's.
void SkipReleased(PressRun& run)
{
    const uint32_t skipped = gReleasedCount[run.slot] < run.count ? gReleasedCount[run.slot] : run.count;
    gReleasedCount[run.slot] -= skipped;
    gReleasedTotal -= skipped;
    run.count -= skipped;
}

// Rewrites the runs without their released presses; neighbours of one slot merge.
void CompactRuns()
{
    size_t kept = 0;
    for (size_t i = gFirstRun; i < gRuns.size(); ++i) {
        PressRun run = gRuns[i];
        SkipReleased(run);
        if (run.count == 0) continue;
        if (kept > 0 && gRuns[kept - 1].slot == run.slot && gRuns[kept - 1].count <= MostPresses - run.count) {
            gRuns[kept - 1].count += run.count;
        } else {
            gRuns[kept++] = run;
        }
    }
    gRuns.resize(kept);
    gFirstRun = 0;
}

}  // namespace

void CreateHeldInputList()
{
    std::memset(gHeldCount, 0, sizeof gHeldCount);
    std::memset(gReleasedCount, 0, sizeof gReleasedCount);
    gHeldTotal = 0;
    gReleasedTotal = 0;
    gRuns.clear();
    gFirstRun = 0;
    // Room for the usual handful, so a pass normally never allocates.
    gRuns.reserve(32);
}

void AddHeldInput(int8_t kind, int16_t code, int32_t button)
{
    const uint32_t slot = SlotOf(kind, code, button);
    if (slot == NoSlot || gHeldCount[slot] == MostPresses) return;
    ++gHeldCount[slot];
    ++gHeldTotal;
    if (gRuns.size() > gFirstRun && gRuns.back().slot == slot && gRuns.back().count < MostPresses) {
        ++gRuns.back().count;
    } else {
        gRuns.push_back(PressRun{slot, 1});
    }
}

void RemoveHeldInput(int8_t kind, int16_t code, int32_t button)
{
    const uint32_t slot = SlotOf(kind, code, button);
    if (slot == NoSlot || gHeldCount[slot] == 0) return;
    --gHeldCount[slot];
    --gHeldTotal;
    ++gReleasedCount[slot];
    ++gReleasedTotal;
    // Each compaction walks fewer runs than releases came since the last, so it costs each
    // release a constant share.
    if (gReleasedTotal > gHeldTotal + ReleasedSlack) CompactRuns();
}

bool TakeOldestHeldInput(HeldInput& entry)
{
    while (gFirstRun < gRuns.size()) {
        PressRun& run = gRuns[gFirstRun];
        SkipReleased(run);
        if (run.count == 0) {
            ++gFirstRun;
            continue;
        }
        --run.count;
        --gHeldCount[run.slot];
        --gHeldTotal;
        entry = EntryOfSlot(run.slot);
        if (run.count == 0) ++gFirstRun;
        return true;
    }
    gRuns.clear();
    gFirstRun = 0;
    return false;
}

void ReleaseHeldInput(const HeldInput& entry)
{
    if (entry.kind == Key) {
        InjectKey(static_cast<uint8_t>(entry.code & 0xFF), false);
    } else if (entry.kind == Button) {
        switch (static_cast<uint16_t>(entry.code)) {
        case LeftButtonUpMessage: InjectMouseButton(MouseLeftUp); break;
        case RightButtonUpMessage: InjectMouseButton(MouseRightUp); break;
        case MiddleButtonUpMessage: InjectMouseButton(MouseMiddleUp); break;
        case XButtonUpMessage: InjectXButton(entry.button, false); break;
        default: break;
        }
    }
}

void ReleaseHeldInputs()
{
    HeldInput entry{};
    while (TakeOldestHeldInput(entry)) ReleaseHeldInput(entry);
}

void ClearHeldInputs()
{
    for (size_t i = gFirstRun; i < gRuns.size(); ++i) {
        gHeldCount[gRuns[i].slot] = 0;
        gReleasedCount[gRuns[i].slot] = 0;
    }
    gHeldTotal = 0;
    gReleasedTotal = 0;
    gRuns.clear();
    gFirstRun = 0;
}
