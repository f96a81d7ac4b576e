// Whether the address in a move notification may be read: the main window reads a move's
// position through it, and any program can post that notification with any address. Pure
// logic; HookModules.cpp gives it the range of the loaded mouse hook module.
#pragma once
#include <cstdint>

// A stretch of the address space: `size` bytes from `first`.
struct AddressRange {
    uintptr_t first;
    uintptr_t size;
};

// A screen position as the mouse hook module keeps it: two signed 32-bit integers, x then y.
constexpr uintptr_t MovePositionSize = 8;
constexpr uintptr_t MovePositionAlignment = 4;

// True when a whole position at `address` lies inside `range` and the address is aligned for
// one. An empty range (no module) holds none.
bool IsPositionInsideRange(uintptr_t address, AddressRange range);
