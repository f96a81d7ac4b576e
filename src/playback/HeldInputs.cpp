// STUB: replaced by the playback work.
#include "playback/HeldInputs.h"
void CreateHeldInputList() {}
void AddHeldInput(int8_t, int16_t) {}
void RemoveHeldInput(int8_t, int16_t) {}
void ReleaseHeldInputs() {}
void ClearHeldInputs() {}
