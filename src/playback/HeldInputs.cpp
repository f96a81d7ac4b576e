// The Held-input list: what the playback worker has pressed and not released yet, oldest
// first, so that a pass or a stopped playback never leaves a key or mouse button down.
#include "playback/HeldInputs.h"

#include <vector>

#include "playback/Injection.h"
#include "recording/InputRecord.h"

namespace {

// Button release message numbers, under which pressed buttons are kept.
constexpr int16_t LeftButtonUp = 514;
constexpr int16_t RightButtonUp = 517;
constexpr int16_t MiddleButtonUp = 520;

}  // namespace

// Written and read by the playback worker thread alone (only one worker runs at a time);
// created empty by start-up on the main thread before any worker exists.
static std::vector<HeldInput> gHeldInputs;

void CreateHeldInputList()
{
    gHeldInputs.clear();
    // Room for the usual handful, so a pass normally never allocates.
    gHeldInputs.reserve(32);
}

void AddHeldInput(int8_t kind, int16_t code)
{
    gHeldInputs.push_back(HeldInput{kind, code});
}

void RemoveHeldInput(int8_t kind, int16_t code)
{
    // Only the oldest match goes: each repeated press of a key stands for one entry.
    for (auto entry = gHeldInputs.begin(); entry != gHeldInputs.end(); ++entry) {
        if (entry->kind == kind && entry->code == code) {
            gHeldInputs.erase(entry);
            return;
        }
    }
}

static void ReleaseHeldInput(const HeldInput& entry)
{
    if (entry.kind == Key) {
        InjectKey(static_cast<uint8_t>(entry.code & 0xFF), false);
    } else if (entry.kind == Button) {
        switch (entry.code) {
        case LeftButtonUp: InjectMouseButton(MouseLeftUp); break;
        case RightButtonUp: InjectMouseButton(MouseRightUp); break;
        case MiddleButtonUp: InjectMouseButton(MouseMiddleUp); break;
        default: break;
        }
    }
}

void ReleaseHeldInputs()
{
    for (const HeldInput& entry : gHeldInputs) {
        ReleaseHeldInput(entry);
    }
    gHeldInputs.clear();
}

void ClearHeldInputs()
{
    gHeldInputs.clear();
}
