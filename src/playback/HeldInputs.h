// The keys and mouse buttons that a playback has pressed and not yet released.
// Used by the playback worker alone.
#pragma once
#include <cstdint>

struct HeldInput {
    int8_t kind;   // Key or Button
    int16_t code;  // Key: virtual-key code; Button: the release message (LeftButtonUpMessage, ...)
};

void CreateHeldInputList();
void AddHeldInput(int8_t kind, int16_t code);
void RemoveHeldInput(int8_t kind, int16_t code);
void ReleaseHeldInputs();
void ClearHeldInputs();
