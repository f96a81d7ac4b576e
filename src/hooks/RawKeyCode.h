// The key code a raw keyboard report stands for, as the low-level keyboard hook gives it: raw
// input names the shift, control and alt keys without their side, the hook with it. Pure logic.
#pragma once
#include <cstdint>

// The virtual-key code of a raw report (RAWKEYBOARD's VKey, MakeCode, and whether its flags
// carry the E0 prefix) as the keyboard hook reports the same key.
uint32_t LowLevelKeyCode(uint32_t virtualKey, uint32_t makeCode, bool extended);
