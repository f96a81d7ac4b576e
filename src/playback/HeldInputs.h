// The keys and mouse buttons that a playback has pressed and not yet released. Pure logic
// without a lock of its own: the playback worker and the exit reach it under the playback
// lock (PlaybackWorker.cpp), the exit without it only while the worker is stuck in an
// injection call and touches the list no more.
#pragma once
#include <cstdint>

struct HeldInput {
    int8_t kind;    // Key or Button
    int16_t code;   // Key: virtual-key code; Button: the release message (LeftButtonUpMessage, ...)
    int8_t button;  // Button XButtonUpMessage: XButton1 or XButton2; otherwise 0
};

// Empties the list (start-up, before any worker exists).
void CreateHeldInputList();
// One more press of this key or button. Only keys and the buttons the list can release are
// kept (Button with the release message of the left, right or middle button, or of X button
// 1 or 2); anything else could never be released, and is left out.
void AddHeldInput(int8_t kind, int16_t code, int32_t button = 0);
// Takes the oldest press of this key or button off the list; without one nothing changes.
void RemoveHeldInput(int8_t kind, int16_t code, int32_t button = 0);
// Injects one release for every press on the list, oldest first, and empties it.
void ReleaseHeldInputs();
// Empties the list without injecting anything.
void ClearHeldInputs();
// Takes the oldest press off the list; false when the list is empty. With ReleaseHeldInput,
// one step of ReleaseHeldInputs, for a caller that releases one entry at a time.
bool TakeOldestHeldInput(HeldInput& entry);
// Injects the release of one entry.
void ReleaseHeldInput(const HeldInput& entry);
