// The Held-input list: what the playback worker has pressed and not released yet, oldest
// first, so that a pass or a stopped playback never leaves a key or mouse button down.
#include "playback/HeldInputs.h"

#include <vector>

#include "core/Messages.h"
#include "playback/Injection.h"
#include "recording/InputRecord.h"

namespace {

// Written and read by the playback worker thread alone (only one worker runs at a time);
// created empty by start-up on the main thread before any worker exists.
std::vector<HeldInput> gHeldInputs;

}  // namespace

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

namespace {

void ReleaseHeldInput(const HeldInput& entry)
{
    if (entry.kind == Key) {
        InjectKey(static_cast<uint8_t>(entry.code & 0xFF), false);
    } else if (entry.kind == Button) {
        switch (entry.code) {
        case LeftButtonUpMessage: InjectMouseButton(MouseLeftUp); break;
        case RightButtonUpMessage: InjectMouseButton(MouseRightUp); break;
        case MiddleButtonUpMessage: InjectMouseButton(MouseMiddleUp); break;
        default: break;
        }
    }
}

}  // namespace

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
