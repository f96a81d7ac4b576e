// Which virtual keys are "extended" keys: the ones that share a scan code with another key
// (the arrow and editing block with the number pad, right Ctrl and right Alt with the left
// ones) or come with the E0 prefix, and need the extended flag when they are injected.
#pragma once
#include <cstdint>

bool IsExtendedVirtualKey(uint8_t virtualKey);
